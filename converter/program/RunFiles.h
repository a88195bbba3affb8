#pragma once

// What a run takes from its command line of the files around its maps: the
// Tiled project every map uses, where one is named.

#include <optional>

#include "converter/findings/Diagnostics.h"
#include "converter/program/CommandLine.h"
#include "converter/workspace/Projects.h"

// The projects the maps use: the one --project names (none where it cannot be
// read, which is reported), or each map's nearest (none with --no-project).
std::optional<Projects> ProjectsOf(const CommandLine& line, Diagnostics& diagnostics);
