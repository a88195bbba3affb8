#pragma once

#include <vector>

#include "tmx/model/TmxLayer.h"
#include "tmx/model/TmxMap.h"

// For each cell of the zone, row by row, the map's tile that decided its
// ground: that of the last tile layer to cover the cell, resolved against the
// tilesets that layer sees, flips and all; tileset -1 where no layer covers
// the cell, or the last one holds no tile there. Whether the tile gives
// ground is the zone's to say.
std::vector<tmx::TmxCell> DecidingTiles(const tmx::TmxMap& map);
