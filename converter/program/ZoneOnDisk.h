#pragma once

// Under --check, the zone script already on disk against the one the run
// would write: a build that keeps zone scripts beside their maps learns of a
// map saved without its zone script made again, in the zone's terms.

#include <optional>
#include <string>

#include "converter/findings/Finding.h"
#include "converter/zone/Zone.h"

// The zone script at `script` against `bytes`, those of `zone` as the run
// would write them: zone-script-missing where there is none,
// zone-script-stale where it differs, nothing where it is the same. At `at`,
// the map's place.
std::optional<Finding> CompareWithDisk(const std::string& script, const Zone& zone,
                                       const std::string& bytes, tmx::TmxLocation at);
