#include "converter/picture/GroundCodesTileset.h"

#include "converter/game/ZoneGeometry.h"
#include "converter/picture/Font.h"
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
        // The number in the middle, a pixel a dot, with a shadow.
        const int32_t width =
            static_cast<int32_t>(std::to_string(code).size()) * kGlyphAdvance - 1;
        const int32_t left = x + (kTile - width) / 2;
        const int32_t top = y + (kTile - kGlyphAscent) / 2;
        canvas.Number(code, left + 1, top + 1, 1, kBlack);
        canvas.Number(code, left, top, 1, kWhite);
    }
    return EncodePng(canvas);
}
