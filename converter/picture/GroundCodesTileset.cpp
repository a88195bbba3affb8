#include "converter/picture/GroundCodesTileset.h"

#include "converter/game/ZoneGeometry.h"
#include "converter/picture/Font.h"
#include "converter/picture/GroundArt.h"
#include "converter/picture/GroundColours.h"
#include "converter/picture/Png.h"
#include "converter/text/Escape.h"

std::string DrawGroundCodesTileset(const GroundTable* table, const GroundArt* art) {
    constexpr int32_t kTile = kCellPixels;
    Canvas canvas(kTile, kGroundTilesetColumns * kTile, kGroundTilesetRows * kTile, kNoGround);
    for (int32_t id = 1; id <= kLastGroundId; ++id) {
        const int32_t code = TileCodeFromId(id);
        const int32_t x = id % kGroundTilesetColumns * kTile;
        const int32_t y = id / kGroundTilesetColumns * kTile;
        if (art != nullptr && art->DrawCell(0, 0, code, canvas, x, y, kTile)) continue;
        canvas.Fill(x, y, x + kTile, y + kTile, GroundColour(code, table));
        // The number in the middle, a pixel a dot, with a shadow.
        const int32_t width = static_cast<int32_t>(std::to_string(code).size()) * kGlyphAdvance - 1;
        const int32_t left = x + (kTile - width) / 2;
        const int32_t top = y + (kTile - kGlyphAscent) / 2;
        canvas.Number(code, left + 1, top + 1, 1, kBlack);
        canvas.Number(code, left, top, 1, kWhite);
    }
    return EncodePng(canvas);
}

std::string GroundCodesTsx(const std::string& name, const std::string& imageName,
                           const GroundTable* table) {
    std::string tsx =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<tileset version=\"1.8\" tiledversion=\"1.8.2\" name=\"" +
        XmlAttribute(ForXml(name).text) + "\" tilewidth=\"" + std::to_string(kCellPixels) +
        "\" tileheight=\"" + std::to_string(kCellPixels) + "\" tilecount=\"" +
        std::to_string(kGroundTilesetTiles) + "\" columns=\"" +
        std::to_string(kGroundTilesetColumns) + "\">\n <image source=\"" +
        XmlAttribute(ForXml(imageName).text) + "\" width=\"" +
        std::to_string(kGroundTilesetColumns * kCellPixels) + "\" height=\"" +
        std::to_string(kGroundTilesetRows * kCellPixels) + "\"/>\n";
    for (int32_t id = 1; table != nullptr && id <= kLastGroundId; ++id) {
        const GroundKind* kind = table->Of(TileCodeFromId(id));
        if (kind == nullptr) continue;
        tsx += " <tile id=\"" + std::to_string(id) +
               "\">\n  <properties>\n   <property name=\"name\" value=\"" +
               XmlAttribute(ForXml(kind->name).text) + "\"/>\n  </properties>\n </tile>\n";
    }
    return tsx + "</tileset>\n";
}
