#pragma once

// The small words the findings share: counts, pixels, shapes, tilesets.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "converter/game/GameTables.h"
#include "converter/game/ZoneGeometry.h"
#include "converter/text/Escape.h"
#include "tmx/model/TmxShape.h"

// "128 x 128 cells", from the zone's own size.
inline std::string ZoneCellsWords() {
    return std::to_string(kZoneCells) + " x " + std::to_string(kZoneCells) + " cells";
}

// "1 tile", "3 tiles".
inline std::string Plural(int64_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

// Pixels to the thousandth, as few digits as they need.
inline std::string PixelWords(double pixels) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(std::llround(pixels * 1000)) / 1000);
    return text;
}

inline const char* ShapeWords(tmx::TmxShape shape) {
    switch (shape) {
        case tmx::TmxShape::Rectangle:
            return "a rectangle";
        case tmx::TmxShape::Ellipse:
            return "an ellipse";
        case tmx::TmxShape::Capsule:
            return "a capsule";
        case tmx::TmxShape::Point:
            return "a point";
        case tmx::TmxShape::Polygon:
            return "a polygon";
        case tmx::TmxShape::Polyline:
            return "a polyline without points";
        case tmx::TmxShape::Text:
            return "a text";
        case tmx::TmxShape::Tile:
            return "a tile";
    }
    return "not a polyline";
}

// A tileset by its name; hand-written maps may leave it out.
inline std::string TilesetWords(const std::string& name) {
    return name.empty() ? "a tileset without a name" : "\"" + name + "\"";
}

// A ground code with its name where a table gives one: "16 grass"; "16".
inline std::string CodeWords(int32_t code, const GameTables* tables) {
    std::string words = std::to_string(code);
    if (tables == nullptr || !tables->ground) return words;
    if (const GroundKind* kind = tables->ground->Of(code)) words.append(" ").append(kind->name);
    return words;
}

// A mob with its name where a table gives one: "mob 245 \"Goblin Shaman\"";
// "mob 245".
inline std::string MobWords(int32_t number, const GameTables* tables) {
    std::string words = "mob " + std::to_string(number);
    if (tables == nullptr || !tables->mobs) return words;
    if (const std::string* name = tables->mobs->NameOf(number)) {
        words.append(" ").append(QuotedText(*name));
    }
    return words;
}
