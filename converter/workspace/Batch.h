#pragma once

// The maps a run converts. Each argument is a map; or a folder, whose maps
// beneath it are converted (TMX by name, JSON by content: a JSON file that
// is no map is passed over), hidden folders (.git) and links back to a
// folder already seen left out; or a Tiled world (.world), whose maps it
// lists and matches; or a Tiled project (.tiled-project), whose folders'
// maps. In a stable order: the arguments', and within each by path.

#include <string>
#include <vector>

#include "converter/findings/Finding.h"

struct MapToConvert {
    std::string path;
    bool found = false;  // found in a folder, world or project, not named itself
};

// A world or project that could not be read.
struct BatchProblem {
    std::string path;
    Finding finding;  // load
};

struct Batch {
    std::vector<MapToConvert> maps;
    std::vector<BatchProblem> problems;
    bool expanded = false;  // a folder, world or project gave maps: a batch
};

Batch ExpandArguments(const std::vector<std::string>& arguments);
