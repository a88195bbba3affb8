#pragma once

#include "converter/findings/Finding.h"
#include "converter/zone/Zone.h"
#include "tmx/model/TmxMap.h"

// A loaded map's zone: the three exports in their order, and what they and
// the loader found, the loader's own findings (layer data, templates) first,
// less those the map's elements silence (velt-ignore).
struct ConvertedMap {
    Zone zone;
    Findings findings;
};

ConvertedMap ConvertMap(const tmx::TmxMap& map);
