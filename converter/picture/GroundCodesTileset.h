#pragma once

#include <cstdint>
#include <string>

#include "converter/game/TileCodes.h"

// The tileset that gives a map the game's ground codes, as a PNG picture:
// tile i (0 to 198, 16 a row, 32 x 32 pixels) in the colour of the code local
// id i gives, with the code's number on it; tile 0, which gives none, is left
// as no ground.
constexpr int32_t kGroundTilesetColumns = 16;
constexpr int32_t kGroundTilesetTiles = kLastGroundId + 1;
constexpr int32_t kGroundTilesetRows =
    (kGroundTilesetTiles + kGroundTilesetColumns - 1) / kGroundTilesetColumns;
std::string DrawGroundCodesTileset();
