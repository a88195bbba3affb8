#pragma once

#include <cstdint>
#include <string>

#include "converter/game/GameTables.h"
#include "converter/game/TileCodes.h"

class GroundArt;

// The tileset that gives a map the game's ground codes, as a PNG picture:
// tile i (0 to 198, 16 a row, 32 x 32 pixels) in the colour of the code local
// id i gives, with the code's number on it; tile 0, which gives none, is left
// as no ground. With a ground table, its colours; with `art`, each tile the
// art of its code instead (the number left off).
constexpr int32_t kGroundTilesetColumns = 16;
constexpr int32_t kGroundTilesetTiles = kLastGroundId + 1;
constexpr int32_t kGroundTilesetRows =
    (kGroundTilesetTiles + kGroundTilesetColumns - 1) / kGroundTilesetColumns;
std::string DrawGroundCodesTileset(const GroundTable* table = nullptr,
                                   const GroundArt* art = nullptr);

// The same tileset as a Tiled tileset file (.tsx) named `name`, its picture
// at `imageName` beside it; with a ground table, each tile whose code it
// lists carries the custom property "name", as Tiled's Properties view
// shows it.
std::string GroundCodesTsx(const std::string& name, const std::string& imageName,
                           const GroundTable* table);
