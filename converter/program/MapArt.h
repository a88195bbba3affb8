#pragma once

// --ground-art=map: a map's ground drawn in its own tiles. Each cell of the
// zone that has ground is the tile that decided it; the tilesets' images are
// read for the picture alone (those of tilesets kept in files of their own
// too), each once.

#include <memory>
#include <string>
#include <vector>

#include "converter/picture/TileArt.h"
#include "converter/zone/Zone.h"
#include "tmx/model/TmxMap.h"

// An image that could not be used, and why.
struct ArtProblem {
    std::string image;  // its path
    std::string problem;
};

// The art of `map`'s ground as `zone` has it; the tilesets of `map` read whole
// on the way. Cells whose tile's image cannot be used have none, and each
// such image is one problem.
std::unique_ptr<TileArt> MapArtOf(tmx::TmxMap& map, const Zone& zone,
                                  std::vector<ArtProblem>& problems);
