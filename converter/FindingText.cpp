#include "FindingText.h"

#include <cstdio>
#include <string>

#include "TmxObjectGroup.h"
#include "ZoneGeometry.h"

namespace {

using tmx::TmxFinding;
using Kind = tmx::TmxFindingKind;

// "the zone's 128 x 128 cells", from the zone's own size.
const std::string kZoneCellsText =
    std::to_string(kZoneCells) + " x " + std::to_string(kZoneCells) + " cells";

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string Plural(int64_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string Cell(int64_t column, int64_t row) {
    char text[48];
    std::snprintf(text, sizeof text, "(%lld, %lld)", static_cast<long long>(column),
                  static_cast<long long>(row));
    return text;
}

// Thousandths of a pixel, as few digits as they need.
std::string Pixels(int64_t thousandths) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(thousandths) / 1000);
    return text;
}

// The element a finding is about, as a designer names it in Tiled. An
// object's finding holds its name as subject, unless `named` is false.
std::string Element(const TmxFinding& finding, bool named = true) {
    switch (finding.element) {
        case tmx::TmxElement::Layer:
            return "layer " + Quoted(finding.layer);
        case tmx::TmxElement::ObjectGroup:
            return "object group " + Quoted(finding.layer);
        case tmx::TmxElement::Group:
            return "group " + Quoted(finding.layer);
        case tmx::TmxElement::Object: {
            // Tiled numbers every object; a map written by hand may not.
            const bool hasName = named && !finding.subject.empty();
            std::string text = "an object";
            if (finding.objectId != 0 || hasName) text = "object";
            if (finding.objectId != 0) text.append(" ").append(std::to_string(finding.objectId));
            if (hasName) text.append(" ").append(Quoted(finding.subject));
            return text.append(" in ").append(Quoted(finding.layer));
        }
        case tmx::TmxElement::Map:
        case tmx::TmxElement::Property:
        case tmx::TmxElement::ZoneLine:
            break;
    }
    return "the map";
}

const char* ShapeName(int64_t shape) {
    switch (static_cast<tmx::TmxShape>(shape)) {
        case tmx::TmxShape::Rectangle:
            return "a rectangle";
        case tmx::TmxShape::Ellipse:
            return "an ellipse";
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
std::string TilesetName(const std::string& name) {
    return name.empty() ? "a tileset without a name" : Quoted(name);
}

// A list of tilesets: "a", "a" and "b", "a", "b" and "c".
std::string TilesetList(const std::vector<std::string>& names, int64_t count) {
    std::string text;
    for (size_t i = 0; i < names.size(); ++i) {
        const bool last = i + 1 == names.size() && count <= static_cast<int64_t>(names.size());
        text.append(i == 0 ? "" : last ? " and " : ", ").append(TilesetName(names[i]));
    }
    const int64_t more = count - static_cast<int64_t>(names.size());
    if (more > 0) text.append(" and ").append(std::to_string(more)).append(" more");
    return text;
}

// The ids from values[first] on, of `count` in all; each followed by its
// tileset where `tilesets` names them (the ids of one tileset come together).
std::string IdList(const std::vector<int64_t>& values, size_t first, int64_t count,
                   const std::vector<std::string>& tilesets = {}) {
    std::string text;
    for (size_t i = first; i < values.size(); ++i) {
        text.append(i == first ? "" : ", ").append(std::to_string(values[i]));
        const size_t named = i - first;
        if (named < tilesets.size() &&
            (named + 1 == tilesets.size() || tilesets[named + 1] != tilesets[named])) {
            text.append(" of ").append(TilesetName(tilesets[named]));
        }
    }
    const auto shown = static_cast<int64_t>(values.size() - std::min(first, values.size()));
    if (count > shown) text.append(" and ").append(std::to_string(count - shown)).append(" more");
    return text;
}

int64_t Value64(const std::vector<int64_t>& values, size_t i) {
    return i < values.size() ? values[i] : 0;
}

std::string Value(const std::vector<int64_t>& values, size_t i) {
    return std::to_string(Value64(values, i));
}

}  // namespace

std::string FindingText(const TmxFinding& f) {
    const std::vector<int64_t>& v = f.values;
    const int64_t first = v.empty() ? 0 : v[0];
    switch (f.kind) {
        case Kind::Load:
            return f.subject;
        case Kind::TilesOutsideZone:
            return Element(f) + ": " + Plural(first, "tile lies", "tiles lie") +
                   " outside the zone's " + kZoneCellsText + " and " +
                   (first == 1 ? "was" : "were") + " left out";
        case Kind::LayerUndecodable:
            return Element(f) + ": its " + f.subject + " data could not be " +
                   (f.subject == "zstd" ? "decoded" : "inflated");
        case Kind::LayerCompression:
            return Element(f) + ": its compression " + Quoted(f.subject) +
                   " is unknown; the data was read as uncompressed";
        case Kind::LayerTooLarge:
            return Element(f) + ": it declares " + Value(v, 0) + " x " + Value(v, 1) +
                   " cells, more than a map may hold";
        case Kind::TileWithoutCode:
            return Element(f) + ": " + Plural(first, "tile has", "tiles have") +
                   " no ground code and " + (first == 1 ? "was" : "were") + " left out: local " +
                   (v.size() > 1 && v[1] == 1 ? "id " : "ids ") +
                   IdList(v, 2, v.size() > 1 ? v[1] : 0, f.tilesets) + " (only 1 to 198 have one)";
        case Kind::TilesetsShareCodes:
            return Element(f) + " takes its ground from " + Plural(first, "tileset", "tilesets") +
                   ", " + TilesetList(f.tilesets, first) +
                   ": a tile's ground code comes from its id within its tileset alone, so tiles "
                   "of different tilesets with the same id become the same ground";
        case Kind::EmptyZone:
            return "the zone has no ground: " +
                   (f.subject.empty() ? "no tile in its " + kZoneCellsText + " has a ground code"
                                      : "layer " + Quoted(f.subject) + " blanked the last of it");
        case Kind::LayerBlanksTiles:
            return Element(f) + " blanks " + Plural(first, "cell", "cells") +
                   " of the layers below it: a layer decides every cell it covers, even where "
                   "it holds no ground";
        case Kind::HiddenLayer:
            return Element(f) + " is hidden, but " +
                   (f.element == tmx::TmxElement::Layer ? "still decides the cells it covers"
                                                        : "is still exported");
        case Kind::GroupName:
            return Element(f) + " is not " + Quoted(f.subject) + ": its " +
                   Plural(first, "object was", "objects were") + " ignored";
        case Kind::MobNumber:
            return Element(f) +
                   (first == 0 ? " has no mob number" : ": its name is not a whole number") +
                   "; it spawns mob " + Value(v, 0);
        case Kind::ZoneMarker:
            return Element(f) +
                   " is neither an entry (In, in, IN) nor an exit (Out, out, OUT); it was left out";
        case Kind::WaypointShape:
            return Element(f) + " is " + ShapeName(first) +
                   (static_cast<tmx::TmxShape>(first) == tmx::TmxShape::Polyline
                        ? ""
                        : ", not a polyline") +
                   "; its path has no waypoints";
        case Kind::PathIdReused:
            return Element(f) + " takes path id " + Value(v, 0) + ", which object " + Value(v, 1) +
                   " already has";
        case Kind::ObjectOutsideZone:
            if (v.size() >= 4) {
                return Element(f) + ": " + Value(v, 2) + " of its " +
                       Plural(v[3], "point", "points") + (v[2] == 1 ? " lies" : " lie") +
                       " outside the zone's " + kZoneCellsText + ", the first in cell " +
                       Cell(v[0], v[1]);
            }
            return Element(f) + " lies in cell " + Cell(first, v.size() > 1 ? v[1] : 0) +
                   ", outside the zone's " + kZoneCellsText;
        case Kind::TileObjectAnchor:
            return Element(f) + " is a tile drawn over cell " + Cell(Value64(v, 0), Value64(v, 1)) +
                   " but placed in cell " + Cell(Value64(v, 2), Value64(v, 3)) +
                   ": Tiled holds a tile object by its bottom-left corner, and the game places "
                   "it in the cell of that corner";
        case Kind::PathPoint: {
            std::string text = Element(f) + ": its point " + Value(v, 0) + " " + Quoted(f.detail) +
                               " is not two whole numbers \"x,y\"; it is read as " + Value(v, 1) +
                               "," + Value(v, 2) +
                               " (a coordinate that cannot be read keeps the previous point's)";
            const int64_t more = Value64(v, 3) - 1;
            if (more > 0)
                text += "; " + Plural(more, "more point is", "more points are") + " alike";
            return text;
        }
        case Kind::TileSize:
            return "the map's tiles are " + Value(v, 0) + " x " + Value(v, 1) +
                   " pixels, but objects are placed in cells of " + std::to_string(kCellPixels) +
                   " x " + std::to_string(kCellPixels) + " pixels";
        case Kind::Orientation:
            return "the map is " + f.subject + "; it is converted as if it were orthogonal";
        case Kind::LayerOffset:
            return Element(f) + " is offset by (" + Pixels(first) + ", " +
                   Pixels(v.size() > 1 ? v[1] : 0) + ") pixels, which the conversion ignores";
        case Kind::TitleBreaksLine: {
            const bool tab = f.subject.find('\t') != std::string::npos;
            const bool lineBreak = f.subject.find_first_of("\r\n") != std::string::npos;
            return std::string("the \"Title\" holds ") +
                   (tab && lineBreak ? "a TAB and a line break"
                    : tab            ? "a TAB"
                                     : "a line break") +
                   ", which splits its line in the zone script";
        }
        case Kind::TitleJoined:
            return "the \"Title\" is written on several lines; it is read as one: " +
                   Quoted(f.subject);
        case Kind::HeaderNumber: {
            const std::string what = f.subject == "Level" ? "level" : "respawn";
            return "the " + Quoted(f.subject) + " property is not a whole number; " +
                   (first > 0 ? "the zone's " + what + " is " + Value(v, 0)
                              : "the zone gets no " + what + " line");
        }
        case Kind::ZoneLine:
            return Quoted(f.subject) + " is no zone script line the game reads";
        case Kind::ZoneNumber:
            return "the " + f.subject + " " + Value(v, 0) + " is out of its range, " + Value(v, 1) +
                   " to " + Value(v, 2);
        case Kind::ZoneBlock:
            return "block " + Value(v, 0) + " is placed but never defined";
        case Kind::Template:
            return Element(f, false) + " is kept as written: its template " + Quoted(f.subject) +
                   " could not be used: " + f.detail;
    }
    return "";
}
