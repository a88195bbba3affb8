#include "converter/picture/GroundCodesTileset.h"

#include "converter/game/ZoneGeometry.h"
#include "converter/picture/GroundColours.h"
#include "converter/picture/Png.h"

std::string DrawGroundCodesTileset() {
    constexpr int32_t kTile = kCellPixels;
    Canvas canvas(kTile, kGroundTilesetColumns * kTile, kGroundTilesetRows * kTile, kNoGround);
    for (int32_t id = 1; id <= kLastGroundId; ++id) {
        const int32_t code = TileCodeFromId(id);
        const int32_t x = id % kGroundTilesetColumns * kTile;
        const int32_t y = id / kGroundTilesetColumns * kTile;
        canvas.Fill(x, y, x + kTile, y + kTile, GroundColour(code));
        // The number in the middle, in dots of 2 pixels: 4 dots a digit.
        const int32_t width = static_cast<int32_t>(std::to_string(code).size()) * 8 - 2;
        const int32_t left = x + (kTile - width) / 2;
        canvas.Number(code, left + 1, y + 12, 2, kBlack);
        canvas.Number(code, left, y + 11, 2, kWhite);
    }
    return EncodePng(canvas);
}
