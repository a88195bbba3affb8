#include "FindingText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "LayerPath.h"
#include "TextEscape.h"
#include "ZoneGeometry.h"

namespace {

namespace f = finding;
using Element = FindingSubject::Element;

// "128 x 128 cells", from the zone's own size.
const std::string kZoneCellsText =
    std::to_string(kZoneCells) + " x " + std::to_string(kZoneCells) + " cells";

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string Plural(int64_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string CellText(Cell cell) {
    char text[48];
    std::snprintf(text, sizeof text, "(%lld, %lld)", static_cast<long long>(cell.column),
                  static_cast<long long>(cell.row));
    return text;
}

// Pixels to the thousandth, as few digits as they need.
std::string Pixels(double pixels) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(std::llround(pixels * 1000)) / 1000);
    return text;
}

// The element a finding is about, as a designer names it in Tiled.
std::string ElementText(const FindingSubject& about) {
    switch (about.element) {
        case Element::Layer:
            return "layer " + Quoted(about.layer);
        case Element::ObjectGroup:
            return "object group " + Quoted(about.layer);
        case Element::Group:
            return "group " + Quoted(about.layer);
        case Element::Object: {
            // Tiled numbers every object; a map written by hand may not.
            const bool hasName = !about.objectName.empty();
            std::string text = "an object";
            if (about.objectId != 0 || hasName) text = "object";
            if (about.objectId != 0) text.append(" ").append(std::to_string(about.objectId));
            if (hasName) text.append(" ").append(Quoted(about.objectName));
            return text.append(" in ").append(Quoted(about.layer));
        }
        case Element::Map:
        case Element::Property:
        case Element::ZoneLine:
            break;
    }
    return "the map";
}

const char* ShapeName(tmx::TmxShape shape) {
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
std::string TilesetName(const std::string& name) {
    return name.empty() ? "a tileset without a name" : Quoted(name);
}

// A list of tilesets: "a", "a" and "b", "a", "b" and "c", then how many more.
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

// Ids, each run of one tileset followed by its name, then how many more.
std::string IdList(const std::vector<f::TileId>& ids, int64_t count) {
    std::string text;
    for (size_t i = 0; i < ids.size(); ++i) {
        text.append(i == 0 ? "" : ", ").append(std::to_string(ids[i].localId));
        if (ids[i].turned120) text.append(" turned 120\u00b0");
        if (i + 1 == ids.size() || ids[i + 1].tileset != ids[i].tileset) {
            text.append(" of ").append(TilesetName(ids[i].tileset));
        }
    }
    const auto shown = static_cast<int64_t>(ids.size());
    if (count > shown) text.append(" and ").append(std::to_string(count - shown)).append(" more");
    return text;
}

bool AnyTurned(const std::vector<f::TileId>& ids) {
    return std::any_of(ids.begin(), ids.end(), [](const f::TileId& id) { return id.turned120; });
}

// Why a tile turned on a hexagonal map has no ground.
constexpr char kTurnedWords[] =
    "; a tile turned 120\u00b0 on a hexagonal map carries Tiled's rotation bit, which the "
    "game reads as part of its id";

// Cells: "(1, 2)", "(1, 2) and (3, 4)", then how many more.
std::string CellList(const std::vector<Cell>& cells, int64_t count) {
    std::string text;
    for (size_t i = 0; i < cells.size(); ++i) {
        const bool last = i + 1 == cells.size() && count <= static_cast<int64_t>(cells.size());
        text.append(i == 0 ? "" : last ? " and " : ", ").append(CellText(cells[i]));
    }
    const int64_t more = count - static_cast<int64_t>(cells.size());
    if (more > 0) text.append(" and ").append(std::to_string(more)).append(" more");
    return text;
}

// The words of each kind, and its name.
struct Words {
    const FindingSubject& about;
    std::string element = ElementText(about);

    std::string operator()(const f::Load& x) const { return x.reason; }
    std::string operator()(const f::LayerData& x) const {
        const tmx::TmxLayerDataProblem& p = x.problem;
        switch (p.kind) {
            case tmx::TmxLayerDataProblem::Kind::Undecodable:
                return element + ": its " + p.compression + " data could not be " +
                       (p.compression == "zstd" ? "decoded" : "inflated");
            case tmx::TmxLayerDataProblem::Kind::UnknownCompression:
                return element + ": its compression " + Quoted(p.compression) +
                       " is unknown; the data was read as uncompressed";
            case tmx::TmxLayerDataProblem::Kind::TooLarge:
                break;
        }
        return element + ": it declares " + std::to_string(p.width) + " x " +
               std::to_string(p.height) + " cells, more than a map may hold";
    }
    std::string operator()(const f::Template& x) const {
        return element + " is kept as written: its template " + Quoted(x.problem.path) +
               " could not be used: " + x.problem.reason;
    }
    std::string operator()(const f::TilesOutsideZone& x) const {
        return element + ": " + Plural(x.tiles, "tile lies", "tiles lie") + " outside the zone's " +
               kZoneCellsText + " and " + (x.tiles == 1 ? "was" : "were") + " left out";
    }
    std::string operator()(const f::TileWithoutCode& x) const {
        return element + ": " + Plural(x.tiles, "tile has", "tiles have") + " no ground code and " +
               (x.tiles == 1 ? "was" : "were") + " left out: local " +
               (x.distinctIds == 1 ? "id " : "ids ") + IdList(x.firstIds, x.distinctIds) +
               " (only 1 to 198 have one" + (AnyTurned(x.firstIds) ? kTurnedWords : "") + "), in " +
               (x.tiles == 1 ? "cell " : "cells ") + CellList(x.firstCells, x.tiles);
    }
    std::string operator()(const f::TilesetsShareCodes& x) const {
        return element + " takes its ground from " + Plural(x.tilesets, "tileset", "tilesets") +
               ", " + TilesetList(x.firstTilesets, x.tilesets) +
               ": a tile's ground code comes from its id within its tileset alone, so tiles of "
               "different tilesets with the same id become the same ground";
    }
    std::string operator()(const f::EmptyZone& x) const {
        return "the zone has no ground: " +
               (x.blankedBy.empty() ? "no tile in its " + kZoneCellsText + " has a ground code"
                                    : "layer " + Quoted(x.blankedBy) + " blanked the last of it");
    }
    std::string operator()(const f::LayerBlanksTiles& x) const {
        return element + " blanks " + Plural(x.cells, "cell", "cells") +
               " of the layers below it, " + CellList(x.firstCells, x.cells) +
               ": a layer decides every cell it covers, even where it holds no ground";
    }
    std::string operator()(const f::HiddenLayer&) const {
        return element + " is hidden, but " +
               (about.element == Element::Layer ? "still decides the cells it covers"
                                                : "is still exported");
    }
    std::string operator()(const f::LayerOffset& x) const {
        return element + " is offset by (" + Pixels(x.x) + ", " + Pixels(x.y) +
               ") pixels, which the conversion ignores";
    }
    std::string operator()(const f::Orientation& x) const {
        return "the map is " + x.name + "; it is converted as if it were orthogonal";
    }
    std::string operator()(const f::GroupName& x) const {
        return element + " is not " + Quoted(x.nearName) + ": its " +
               Plural(x.objects, "object was", "objects were") + " ignored";
    }
    std::string operator()(const f::MobNumber& x) const {
        return element +
               (x.spawns == 0 ? " has no mob number" : ": its name is not a whole number") +
               "; it spawns mob " + std::to_string(x.spawns);
    }
    std::string operator()(const f::ZoneMarker&) const {
        return element +
               " is neither an entry (In, in, IN) nor an exit (Out, out, OUT); it was left out";
    }
    std::string operator()(const f::WaypointShape& x) const {
        return element + " is " + ShapeName(x.shape) +
               (x.shape == tmx::TmxShape::Polyline ? "" : ", not a polyline") +
               "; its path has no waypoints";
    }
    std::string operator()(const f::PathIdReused& x) const {
        return element + " takes path id " + std::to_string(x.pathId) + ", which object " +
               std::to_string(x.firstObject) + " already has";
    }
    std::string operator()(const f::ObjectOutsideZone& x) const {
        return element + " lies in cell " + CellText(x.cell) + ", outside the zone's " +
               kZoneCellsText;
    }
    std::string operator()(const f::PathOutsideZone& x) const {
        return element + ": " + std::to_string(x.pointsOutside) + " of its " +
               Plural(x.points, "point", "points") + (x.pointsOutside == 1 ? " lies" : " lie") +
               " outside the zone's " + kZoneCellsText + ", the first in cell " +
               CellText(x.firstOutside);
    }
    std::string operator()(const f::TileObjectAnchor& x) const {
        return element + " is a tile drawn over cell " + CellText(x.drawnOver) +
               " but placed in cell " + CellText(x.placedIn) +
               ": Tiled holds a tile object by its bottom-left corner, and the game places it "
               "in the cell of that corner";
    }
    std::string operator()(const f::PathPoint& x) const {
        std::string text = element + ": its point " + std::to_string(x.number) + " " +
                           Quoted(x.text) + " is not two whole numbers \"x,y\"; it is read as " +
                           std::to_string(x.readX) + "," + std::to_string(x.readY) +
                           " (a coordinate that cannot be read keeps the previous point's)";
        const int64_t more = x.partialPoints - 1;
        if (more > 0) text += "; " + Plural(more, "more point is", "more points are") + " alike";
        return text;
    }
    std::string operator()(const f::TileSize& x) const {
        return "the map's tiles are " + std::to_string(x.width) + " x " + std::to_string(x.height) +
               " pixels, but objects are placed in cells of " + std::to_string(kCellPixels) +
               " x " + std::to_string(kCellPixels) + " pixels";
    }
    std::string operator()(const f::TitleBreaksLine& x) const {
        const bool tab = x.title.find('\t') != std::string::npos;
        const bool lineBreak = x.title.find_first_of("\r\n") != std::string::npos;
        return std::string("the \"Title\" holds ") +
               (tab && lineBreak ? "a TAB and a line break"
                : tab            ? "a TAB"
                                 : "a line break") +
               ", which splits its line in the zone script";
    }
    std::string operator()(const f::TitleJoined& x) const {
        return "the \"Title\" is written on several lines; it is read as one: " + Quoted(x.title);
    }
    std::string operator()(const f::HeaderNumber& x) const {
        const std::string what = x.property == "Level" ? "level" : "respawn";
        return "the " + Quoted(x.property) + " property is not a whole number; " +
               (x.value > 0 ? "the zone's " + what + " is " + std::to_string(x.value)
                            : "the zone gets no " + what + " line");
    }
    std::string operator()(const f::ZoneLine& x) const {
        return Quoted(x.text) + " is no zone script line the game reads";
    }
    std::string operator()(const f::ZoneNumber& x) const {
        return "the " + x.what + " " + std::to_string(x.value) + " is out of its range, " +
               std::to_string(x.low) + " to " + std::to_string(x.high);
    }
    std::string operator()(const f::ZoneBlock& x) const {
        return "block " + std::to_string(x.blockId) + " is placed but never defined";
    }
    std::string operator()(const f::ZoneCode& x) const {
        std::string codes;
        for (size_t i = 0; i < x.codes.size(); ++i)
            codes += (i == 0                    ? ""
                      : i + 1 == x.codes.size() ? " and "
                                                : ", ") +
                     std::to_string(x.codes[i]);
        return "block " + std::to_string(x.blockId) + " holds " +
               (x.codes.size() == 1 ? "code " : "codes ") + codes +
               ", which no tile gives; the map keeps no ground in " +
               (x.codes.size() == 1 ? "its cells" : "their cells");
    }
    std::string operator()(const f::ZonePlacedAgain& x) const {
        return "block " + std::to_string(x.blockId) + " is placed again (first on line " +
               std::to_string(x.firstLine) +
               "); the map keeps its ground at both places, which a conversion defines as "
               "blocks of their own";
    }
    std::string operator()(const f::ZoneUnusedBlock& x) const {
        return "block " + std::to_string(x.blockId) +
               " is defined but never placed; the map keeps nothing of it";
    }
    std::string operator()(const f::ZoneFar& x) const {
        const std::string cell = CellText(x.cell);
        if (x.cell.column != x.kept.column || x.cell.row != x.kept.row) {
            return "cell " + cell +
                   " lies beyond any position a map can hold; the map keeps it at " +
                   CellText(x.kept);
        }
        return "cell " + cell +
               " lies so far out that Tiled, which saves positions to six digits, would move it";
    }
    std::string operator()(const f::ZoneTitle&) const {
        return "the title breaks its line: the map keeps it, but Tiled saves such a title on "
               "several lines, which are read as one";
    }
    std::string operator()(const f::ZoneText& x) const {
        const char* cannot = "characters a map cannot hold (NUL and other control characters)";
        std::string text = x.what;
        if (x.reread) text += " is not UTF-8";
        if (x.reread && x.dropped) text += " and";
        if (x.dropped) text += std::string(" holds ") + cannot;
        text += "; the map keeps ";
        if (x.reread) text += "its bytes read as Windows-1252";
        if (x.reread && x.dropped) text += ", ";
        if (x.dropped) text += std::string(x.reread ? "" : "it ") + "without those characters";
        return text + ": " + QuotedText(x.kept);
    }
    std::string operator()(const f::ZoneRoundTrip& x) const {
        const auto line = [](const std::string& text) {
            return text.empty() ? std::string("an empty line") : Quoted(text);
        };
        if (!x.was)
            return "the zone script ends here, but the map's conversion goes on: " + line(*x.now);
        if (!x.now)
            return "the map cannot say this line: " + line(*x.was) +
                   "; its conversion ends before it";
        return "the map cannot say this line as it is: " + line(*x.was) +
               "; its conversion writes " + line(*x.now) + " here";
    }
};

struct Names {
    const char* operator()(const f::Load&) const { return "load"; }
    const char* operator()(const f::LayerData&) const { return "layer-data"; }
    const char* operator()(const f::Template&) const { return "template"; }
    const char* operator()(const f::TilesOutsideZone&) const { return "tiles-outside-zone"; }
    const char* operator()(const f::TileWithoutCode&) const { return "tile-without-code"; }
    const char* operator()(const f::TilesetsShareCodes&) const { return "tilesets-share-codes"; }
    const char* operator()(const f::EmptyZone&) const { return "empty-zone"; }
    const char* operator()(const f::LayerBlanksTiles&) const { return "layer-blanks-tiles"; }
    const char* operator()(const f::HiddenLayer&) const { return "hidden-layer"; }
    const char* operator()(const f::LayerOffset&) const { return "layer-offset"; }
    const char* operator()(const f::Orientation&) const { return "orientation"; }
    const char* operator()(const f::GroupName&) const { return "group-name"; }
    const char* operator()(const f::MobNumber&) const { return "mob-number"; }
    const char* operator()(const f::ZoneMarker&) const { return "zone-marker"; }
    const char* operator()(const f::WaypointShape&) const { return "waypoint-shape"; }
    const char* operator()(const f::PathIdReused&) const { return "path-id-reused"; }
    const char* operator()(const f::ObjectOutsideZone&) const { return "object-outside-zone"; }
    const char* operator()(const f::PathOutsideZone&) const { return "object-outside-zone"; }
    const char* operator()(const f::TileObjectAnchor&) const { return "tile-object-anchor"; }
    const char* operator()(const f::PathPoint&) const { return "path-point"; }
    const char* operator()(const f::TileSize&) const { return "tile-size"; }
    const char* operator()(const f::TitleBreaksLine&) const { return "title-breaks-line"; }
    const char* operator()(const f::TitleJoined&) const { return "title-joined"; }
    const char* operator()(const f::HeaderNumber&) const { return "header-number"; }
    const char* operator()(const f::ZoneLine&) const { return "zone-line"; }
    const char* operator()(const f::ZoneNumber&) const { return "zone-number"; }
    const char* operator()(const f::ZoneBlock&) const { return "zone-block"; }
    const char* operator()(const f::ZoneCode&) const { return "zone-code"; }
    const char* operator()(const f::ZonePlacedAgain&) const { return "zone-placed-again"; }
    const char* operator()(const f::ZoneUnusedBlock&) const { return "zone-unused-block"; }
    const char* operator()(const f::ZoneFar&) const { return "zone-far"; }
    const char* operator()(const f::ZoneTitle&) const { return "zone-title"; }
    const char* operator()(const f::ZoneText&) const { return "zone-text"; }
    const char* operator()(const f::ZoneRoundTrip&) const { return "zone-round-trip"; }
};

}  // namespace

std::string FindingText(const Finding& finding) {
    return std::visit(Words{finding.about}, finding.what);
}

const std::vector<Cell>* CellsOf(const FindingData& what) {
    if (const auto* codeless = std::get_if<f::TileWithoutCode>(&what)) return &codeless->firstCells;
    if (const auto* blanks = std::get_if<f::LayerBlanksTiles>(&what)) return &blanks->firstCells;
    return nullptr;
}

const char* KindName(const FindingData& what) {
    return std::visit(Names{}, what);
}

Findings FindingsOfLoad(const tmx::TmxMap& map) {
    Findings findings;
    findings.reserve(map.findings().size());
    for (const tmx::TmxFinding& found : map.findings()) {
        // The layer or object group it is about, by its place in the stacking order.
        FindingSubject about{Element::Layer, LayerPath(map, found.order, found.layer),
                             found.objectId, "", 0};
        for (const tmx::TmxLayer& layer : map.layers()) {
            if (layer.orderIndex() == found.order) about.layerId = layer.id();
        }
        for (const tmx::TmxObjectGroup& group : map.objectGroups()) {
            if (group.orderIndex() == found.order) about.layerId = group.id();
        }
        if (const auto* data = std::get_if<tmx::TmxLayerDataProblem>(&found.problem)) {
            findings.push_back({tmx::TmxSeverity::Warning, found.at, about, f::LayerData{*data}});
        } else if (const auto* problem = std::get_if<tmx::TmxTemplateProblem>(&found.problem)) {
            about.element = Element::Object;
            findings.push_back({tmx::TmxSeverity::Warning, found.at, about, f::Template{*problem}});
        }
    }
    return findings;
}
