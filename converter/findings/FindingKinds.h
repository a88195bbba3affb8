#pragma once

// Every kind of finding, each declared once: its name as users see it in
// brackets, its severity unless its maker says otherwise, its fields, and
// its words. Adding a kind is adding its struct here and its name to the
// list at the end; the catalogue in docs/manual.md is checked against that
// list by the tests.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "converter/findings/FindingSubject.h"
#include "converter/findings/Words.h"
#include "converter/game/Cell.h"
#include "converter/text/Escape.h"
#include "converter/text/Lists.h"
#include "tmx/model/TmxFinding.h"
#include "tmx/model/TmxShape.h"

using Severity = tmx::TmxSeverity;

namespace finding {

// Errors: what could not be done at all.

struct Load {  // the map (or zone script) could not be read
    static constexpr const char* kName = "load";
    static constexpr const char* kAbout = "The map or zone script could not be read.";
    static constexpr Severity kSeverity = Severity::Error;
    std::string reason;
    std::string Words(const FindingSubject&) const { return reason; }
};

struct Write {  // the zone script (or picture, or map) could not be written
    static constexpr const char* kName = "write";
    static constexpr const char* kAbout = "The zone script, picture or map could not be written.";
    static constexpr Severity kSeverity = Severity::Error;
    std::string reason;
    std::string Words(const FindingSubject&) const { return reason; }
};

// What the loader could not use as written.

struct LayerData {
    static constexpr const char* kName = "layer-data";
    static constexpr const char* kAbout =
        "A tile layer's data cannot be decoded, names an unknown compression, or declares more "
        "cells than a map may hold.";
    static constexpr Severity kSeverity = Severity::Warning;
    tmx::TmxLayerDataProblem problem;
    std::string Words(const FindingSubject& about) const {
        const std::string element = ElementWords(about);
        switch (problem.kind) {
            case tmx::TmxLayerDataProblem::Kind::Undecodable:
                return element + ": its " + problem.compression + " data could not be " +
                       (problem.compression == "zstd" ? "decoded" : "inflated");
            case tmx::TmxLayerDataProblem::Kind::UnknownCompression:
                return element + ": its compression " + Quoted(problem.compression) +
                       " is unknown; the data was read as uncompressed";
            case tmx::TmxLayerDataProblem::Kind::TooLarge:
                break;
        }
        return element + ": it declares " + std::to_string(problem.width) + " x " +
               std::to_string(problem.height) + " cells, more than a map may hold";
    }
};

struct Template {
    static constexpr const char* kName = "template";
    static constexpr const char* kAbout =
        "An object's template is missing, unreadable or not a template: the object is kept as the "
        "map writes it.";
    static constexpr Severity kSeverity = Severity::Warning;
    tmx::TmxTemplateProblem problem;
    std::string Words(const FindingSubject& about) const {
        return ElementWords(about) + " is kept as written: its template " + Quoted(problem.path) +
               " could not be used: " + problem.reason;
    }
};

// Tile layers.

struct TilesOutsideZone {
    static constexpr const char* kName = "tiles-outside-zone";
    static constexpr const char* kAbout =
        "Tiles lie beyond the zone's 128 x 128 cells and are left out.";
    static constexpr Severity kSeverity = Severity::Warning;
    int64_t tiles = 0;
    std::string Words(const FindingSubject& about) const {
        return ElementWords(about) + ": " + Plural(tiles, "tile lies", "tiles lie") +
               " outside the zone's " + ZoneCellsWords() + " and " + (tiles == 1 ? "was" : "were") +
               " left out";
    }
};

struct TileId {
    std::string tileset;  // its name, or the file it is kept in
    int32_t localId = 0;
    // Tiled's hexagonal 120 degree turn is set: the id and tileset are those
    // of the tile without it, which the game reads as another id.
    bool turned120 = false;
};

struct TileWithoutCode {
    static constexpr const char* kName = "tile-without-code";
    static constexpr const char* kAbout =
        "Tiles whose local id gives no ground code (0, or 199 and above) are left out.";
    static constexpr Severity kSeverity = Severity::Warning;
    int64_t tiles = 0;
    int64_t distinctIds = 0;
    std::vector<TileId> firstIds;  // the first few, by tileset then id
    std::vector<Cell> firstCells;  // the first few, as the layer lists them

    std::string Words(const FindingSubject& about) const {
        const bool anyTurned = std::any_of(firstIds.begin(), firstIds.end(),
                                           [](const TileId& id) { return id.turned120; });
        return ElementWords(about) + ": " + Plural(tiles, "tile has", "tiles have") +
               " no ground code and " + (tiles == 1 ? "was" : "were") + " left out: local " +
               (distinctIds == 1 ? "id " : "ids ") + IdWords() + " (only 1 to 198 have one" +
               (anyTurned ? "; a tile turned 120\u00b0 on a hexagonal map carries Tiled's "
                            "rotation bit, which the game reads as part of its id"
                          : "") +
               "), in " + (tiles == 1 ? "cell " : "cells ") + Listed(firstCells, tiles, CellWords);
    }

  private:
    // Ids, each run of one tileset followed by its name: "3, 4 of "a", 9 of "b"".
    std::string IdWords() const {
        size_t i = 0;
        return Listed(
            firstIds, distinctIds,
            [&](const TileId& id) {
                std::string text = std::to_string(id.localId);
                if (id.turned120) text += " turned 120\u00b0";
                ++i;
                if (i == firstIds.size() || firstIds[i].tileset != id.tileset)
                    text += " of " + TilesetWords(id.tileset);
                return text;
            },
            LastJoin::Comma);
    }
};

struct TilesetsShareCodes {
    static constexpr const char* kName = "tilesets-share-codes";
    static constexpr const char* kAbout =
        "A layer's ground comes from tiles of several tilesets: a code comes from a tile's id "
        "within its tileset, so tiles of the same id become the same ground.";
    static constexpr Severity kSeverity = Severity::Note;
    int64_t tilesets = 0;
    std::vector<std::string> firstTilesets;
    std::string Words(const FindingSubject& about) const {
        return ElementWords(about) + " takes its ground from " +
               Plural(tilesets, "tileset", "tilesets") + ", " +
               Listed(firstTilesets, tilesets, TilesetWords) +
               ": a tile's ground code comes from its id within its tileset alone, so tiles of "
               "different tilesets with the same id become the same ground";
    }
};

// A file the map names that the designers who open it after this one will
// not have: it is not there, it lies outside the repository the map is in,
// or it is named by an absolute path.
struct FileReference {
    static constexpr const char* kName = "file-reference";
    static constexpr const char* kAbout =
        "A tileset, image or template file the map names is not there, lies outside the map's "
        "repository, or is named by an absolute path.";
    static constexpr Severity kSeverity = Severity::Warning;
    enum class File { Tileset, Image, Template } file = File::Tileset;
    enum class Problem { Missing, Absolute, OutsideRepository } problem = Problem::Missing;
    std::string named;       // as the map names it
    std::string repository;  // the repository's folder, where it lies outside it
    int64_t objects = 0;     // of a template: the objects made from it

    std::string Words(const FindingSubject& about) const {
        static constexpr const char* kFiles[] = {"tileset", "image", "template"};
        // A tileset kept in a file has no name the map knows.
        std::string text = (file == File::Tileset ? "the map" : ElementWords(about)) +
                           " names the " + kFiles[static_cast<int>(file)] + " file " +
                           Quoted(named);
        switch (problem) {
            case Problem::Missing:
                text += ", which is not there";
                break;
            case Problem::Absolute:
                text += " by an absolute path, which another designer's machine will not have";
                break;
            case Problem::OutsideRepository:
                text += ", which lies outside the repository the map is in (" +
                        (repository == "." ? std::string("the map's own folder")
                                           : "the folder " + Quoted(repository)) +
                        ")";
                break;
        }
        const char* elsewhere = problem == Problem::Missing ? "" : " elsewhere";
        switch (file) {
            case File::Tileset:
                return text +
                       ": the zone script does not need it (a tile's ground comes from "
                       "its id alone), but Tiled" +
                       elsewhere + " shows the tileset as missing and its tiles as empty";
            case File::Image:
                return text + ": the zone script does not need it, but Tiled" + elsewhere +
                       " shows no picture for it";
            case File::Template:
                break;
        }
        const bool one = objects == 1;
        return text + ": " +
               (one ? "the object made from it takes its"
                    : "the " + std::to_string(objects) + " objects made from it take their") +
               " name, type and properties from it, in Tiled and in the zone script; where it "
               "is missing " +
               (one ? "it keeps" : "they keep") + " only what the map writes of " +
               (one ? "it" : "them");
    }
};

// Two tilesets of the same name from different files: the designer sees two
// tabs of that name in Tiled and may paint with either.
struct TilesetName {
    static constexpr const char* kName = "tileset-name";
    static constexpr const char* kAbout =
        "Tilesets of the same name come from different files: Tiled shows a tab for each.";
    static constexpr Severity kSeverity = Severity::Note;
    struct Use {
        std::string file;  // as the map names it; "" for a tileset held in the map
        int64_t cells = 0;
    };
    std::string name;
    std::vector<Use> uses;  // each file, in the map's order

    std::string Words(const FindingSubject&) const {
        return "the map uses " + std::to_string(uses.size()) + " different tilesets named " +
               TilesetWords(name) + ": " +
               Listed(uses,
                      [](const Use& use) {
                          return (use.file.empty() ? std::string("one held in the map")
                                                   : Quoted(use.file)) +
                                 " (" + Plural(use.cells, "cell", "cells") + " painted)";
                      }) +
               "; Tiled shows a tab for each, and a designer may paint with the wrong one";
    }
};

// With a mob table: a mob whose number the table does not list.
struct MobUnknown {
    static constexpr const char* kName = "mob-unknown";
    static constexpr const char* kAbout =
        "A mob whose number the mob table does not list; the nearest listed numbers are named.";
    static constexpr Severity kSeverity = Severity::Warning;
    int32_t number = 0;
    std::string table;  // its file's name
    std::vector<MobKind> nearest;

    std::string Words(const FindingSubject& about) const {
        std::string text = about.element == FindingSubject::Element::Object
                               ? ElementWords(about) + ": mob "
                               : std::string("mob ");
        text += std::to_string(number) + " is not in " + table;
        if (nearest.empty()) return text;
        return text + "; nearest: " + Listed(nearest, [](const MobKind& mob) {
                   return std::to_string(mob.number) + " " + QuotedText(mob.name);
               });
    }
};

// With a ground table: cells whose code the table does not list.
struct GroundUnknown {
    static constexpr const char* kName = "ground-unknown";
    static constexpr const char* kAbout = "Cells whose ground code the ground table does not list.";
    static constexpr Severity kSeverity = Severity::Warning;
    struct CodeCount {
        int32_t code = 0;
        int64_t cells = 0;
    };
    std::string table;
    int64_t cells = 0;
    int64_t codes = 0;                  // how many codes, of which the first few:
    std::vector<CodeCount> firstCodes;  // by code
    std::vector<Cell> firstCells;       // row by row
    Cell block{-1, -1};                 // of a zone script: the block placed at its line

    std::string Words(const FindingSubject& about) const {
        const std::string element =
            block.column >= 0 ? "the block placed at " + CellWords(block) : ElementWords(about);
        return element + ": " + Plural(cells, "cell has a ground code", "cells have ground codes") +
               " " + table + " does not list: " +
               Listed(firstCodes, codes,
                      [](const CodeCount& code) {
                          return std::to_string(code.code) + " (" +
                                 Plural(code.cells, "cell", "cells") + ")";
                      }) +
               ", in " + (cells == 1 ? "cell " : "cells ") + Listed(firstCells, cells, CellWords);
    }
};

// With a ground table that says what is walkable: where a player can walk.

// An entry, exit, mob or trap on ground no one walks on.
struct MarkerBlocked {
    static constexpr const char* kName = "marker-blocked";
    static constexpr const char* kAbout =
        "An entry, exit, mob or trap stands on a cell that is not walkable.";
    static constexpr Severity kSeverity = Severity::Warning;
    std::string marker;  // "mob 310 "Marsh Lurker"", "entry"
    Cell cell;
    std::string ground;  // the cell's code and name, or "" for none
    std::string Words(const FindingSubject&) const {
        return marker + " at " + CellWords(cell) + " stands on " +
               (ground.empty() ? std::string("no ground") : ground) + ", which is not walkable";
    }
};

// An exit, mob, trap or path start that no entry reaches; or markers and no
// entry at all.
struct Unreachable {
    static constexpr const char* kName = "unreachable";
    static constexpr const char* kAbout =
        "An exit, mob, trap or waypoint path's first point that no entry reaches, or a zone "
        "with markers but no entry.";
    static constexpr Severity kSeverity = Severity::Warning;
    std::string what;  // "exit", "mob 245 "Goblin Shaman"", "path 10001's first point"
    Cell cell;
    int64_t areaCells = 0;  // of the walkable area it stands in
    int64_t markers = 0;    // with no entry: how many markers there are
    std::string Words(const FindingSubject&) const {
        if (what.empty()) {
            return "the zone has " + Plural(markers, "marker", "markers") +
                   " but no entry: no player reaches " + (markers == 1 ? "it" : "any of them");
        }
        return what + " at " + CellWords(cell) +
               " cannot be reached from an entry: it stands in a walkable area of " +
               Plural(areaCells, "cell", "cells") + " that no entry reaches";
    }
};

// A waypoint path stepping through ground no one walks on.
struct PathBlocked {
    static constexpr const char* kName = "path-blocked";
    static constexpr const char* kAbout =
        "A waypoint path steps through a cell that is not walkable between two of its points.";
    static constexpr Severity kSeverity = Severity::Warning;
    int32_t pathId = 0;
    int64_t from = 0;  // the points' indexes, from 1
    Cell fromCell;
    Cell toCell;
    Cell blocked;
    std::string ground;  // the blocked cell's code and name, or "" for none
    std::string Words(const FindingSubject&) const {
        return "path " + std::to_string(pathId) + " steps through ground that is not walkable " +
               "between point " + std::to_string(from) + " " + CellWords(fromCell) + " and point " +
               std::to_string(from + 1) + " " + CellWords(toCell) + ": cell " + CellWords(blocked) +
               " is " + (ground.empty() ? std::string("no ground") : ground);
    }
};

struct EmptyZone {
    static constexpr const char* kName = "empty-zone";
    static constexpr const char* kAbout = "The map has tile layers, but the zone has no ground.";
    static constexpr Severity kSeverity = Severity::Warning;
    std::string blankedBy;  // the layer that blanked the last ground; "" if none had any
    std::string Words(const FindingSubject&) const {
        return "the zone has no ground: " +
               (blankedBy.empty() ? "no tile in its " + ZoneCellsWords() + " has a ground code"
                                  : "layer " + Quoted(blankedBy) + " blanked the last of it");
    }
};

struct LayerBlanksTiles {
    static constexpr const char* kName = "layer-blanks-tiles";
    static constexpr const char* kAbout =
        "A layer's empty or codeless cells blank the ground of the layers below it.";
    static constexpr Severity kSeverity = Severity::Warning;
    int64_t cells = 0;
    std::vector<Cell> firstCells;  // the first few, row by row
    std::string Words(const FindingSubject& about) const {
        return ElementWords(about) + " blanks " + Plural(cells, "cell", "cells") +
               " of the layers below it, " + Listed(firstCells, cells, CellWords) +
               ": a layer decides every cell it covers, even where it holds no ground";
    }
};

struct HiddenLayer {  // a layer, object group or group
    static constexpr const char* kName = "hidden-layer";
    static constexpr const char* kAbout =
        "A hidden layer, object group or group still decides cells or is exported.";
    static constexpr Severity kSeverity = Severity::Note;
    std::string Words(const FindingSubject& about) const {
        return ElementWords(about) + " is hidden, but " +
               (about.element == FindingSubject::Element::Layer
                    ? "still decides the cells it covers"
                    : "is still exported");
    }
};

struct LayerOffset {  // a layer, object group or group
    static constexpr const char* kName = "layer-offset";
    static constexpr const char* kAbout =
        "A layer, object group or group that is exported has an offset, which the conversion "
        "ignores.";
    static constexpr Severity kSeverity = Severity::Warning;
    double x = 0;
    double y = 0;
    std::string Words(const FindingSubject& about) const {
        return ElementWords(about) + " is offset by (" + PixelWords(x) + ", " + PixelWords(y) +
               ") pixels, which the conversion ignores";
    }
};

struct Orientation {
    static constexpr const char* kName = "orientation";
    static constexpr const char* kAbout = "The map is not orthogonal.";
    static constexpr Severity kSeverity = Severity::Warning;
    std::string name;
    std::string Words(const FindingSubject&) const {
        return "the map is " + name + "; it is converted as if it were orthogonal";
    }
};

// Object groups and objects.

struct GroupName {
    static constexpr const char* kName = "group-name";
    static constexpr const char* kAbout =
        "An object group's name misses Zones, Mobs, Fields, Waypoints or Traps only by case, white "
        "space or a plural: its objects are ignored.";
    static constexpr Severity kSeverity = Severity::Warning;
    std::string nearName;  // the name the game reads that it nearly is
    int64_t objects = 0;   // how many were ignored
    std::string Words(const FindingSubject& about) const {
        return ElementWords(about) + " is not " + Quoted(nearName) + ": its " +
               Plural(objects, "object was", "objects were") + " ignored";
    }
};

struct MobNumber {
    static constexpr const char* kName = "mob-number";
    static constexpr const char* kAbout =
        "A Mobs object's name is not a whole number the game can hold.";
    static constexpr Severity kSeverity = Severity::Warning;
    int32_t spawns = 0;  // the mob it spawns; 0 where the name holds no number
    std::string Words(const FindingSubject& about) const {
        return ElementWords(about) +
               (spawns == 0 ? " has no mob number" : ": its name is not a whole number") +
               "; it spawns mob " + std::to_string(spawns);
    }
};

struct ZoneMarker {
    static constexpr const char* kName = "zone-marker";
    static constexpr const char* kAbout = "A Zones object is named neither In nor Out.";
    static constexpr Severity kSeverity = Severity::Warning;
    std::string Words(const FindingSubject& about) const {
        return ElementWords(about) +
               " is neither an entry (In, in, IN) nor an exit (Out, out, OUT); it was left out";
    }
};

struct WaypointShape {
    static constexpr const char* kName = "waypoint-shape";
    static constexpr const char* kAbout = "A Waypoints object is not a polyline with points.";
    static constexpr Severity kSeverity = Severity::Warning;
    tmx::TmxShape shape = tmx::TmxShape::Rectangle;
    std::string Words(const FindingSubject& about) const {
        return ElementWords(about) + " is " + ShapeWords(shape) +
               (shape == tmx::TmxShape::Polyline ? "" : ", not a polyline") +
               "; its path has no waypoints";
    }
};

struct PathIdReused {
    static constexpr const char* kName = "path-id-reused";
    static constexpr const char* kAbout = "A path's id is one an earlier path already has.";
    static constexpr Severity kSeverity = Severity::Warning;
    int32_t pathId = 0;
    int32_t firstObject = 0;  // the object that took it first
    std::string Words(const FindingSubject& about) const {
        return ElementWords(about) + " takes path id " + std::to_string(pathId) +
               ", which object " + std::to_string(firstObject) + " already has";
    }
};

struct ObjectOutsideZone {
    static constexpr const char* kName = "object-outside-zone";
    static constexpr const char* kAbout =
        "An object or waypoint lies in a cell outside the zone's 128 x 128 cells.";
    static constexpr Severity kSeverity = Severity::Warning;
    Cell cell;
    std::string Words(const FindingSubject& about) const {
        return ElementWords(about) + " lies in cell " + CellWords(cell) + ", outside the zone's " +
               ZoneCellsWords() + "; it is still written to the zone script, at cell " +
               CellWords(cell);
    }
};

struct PathOutsideZone {  // the same kind as ObjectOutsideZone, for a path's points
    static constexpr const char* kName = "object-outside-zone";
    static constexpr const char* kAbout =
        "An object or waypoint lies in a cell outside the zone's 128 x 128 cells.";
    static constexpr Severity kSeverity = Severity::Warning;
    Cell firstOutside;
    int64_t pointsOutside = 0;
    int64_t points = 0;
    std::string Words(const FindingSubject& about) const {
        return ElementWords(about) + ": " + std::to_string(pointsOutside) + " of its " +
               Plural(points, "point", "points") + (pointsOutside == 1 ? " lies" : " lie") +
               " outside the zone's " + ZoneCellsWords() + ", the first in cell " +
               CellWords(firstOutside) + "; " + (pointsOutside == 1 ? "it is" : "they are") +
               " still written to the zone script, at " +
               (pointsOutside == 1 ? "its cell" : "their cells");
    }
};

struct TileObjectAnchor {
    static constexpr const char* kName = "tile-object-anchor";
    static constexpr const char* kAbout =
        "A tile object is placed in another cell than the one it is drawn over.";
    static constexpr Severity kSeverity = Severity::Warning;
    Cell drawnOver;               // its top-left cell, as Tiled draws it
    Cell placedIn;                // the cell of its position
    tmx::TmxObjectAnchor anchor;  // where on the tile its position is
    std::string Words(const FindingSubject& about) const {
        static constexpr const char* kPoints[3][3] = {
            {"top-left corner", "left edge's middle", "bottom-left corner"},
            {"top edge's middle", "centre", "bottom edge's middle"},
            {"top-right corner", "right edge's middle", "bottom-right corner"}};
        const std::string point =
            kPoints[std::clamp(anchor.across, 0, 2)][std::clamp(anchor.down, 0, 2)];
        const bool usual = anchor.across == 0 && anchor.down == 2;
        return ElementWords(about) + " is a tile drawn over cell " + CellWords(drawnOver) +
               " but placed in cell " + CellWords(placedIn) +
               (usual ? ": Tiled holds a tile object by its bottom-left corner, and the game "
                        "places it in the cell of that corner"
                      : ": Tiled holds this tileset's tile objects by their " + point +
                            ", and the game places it in the cell of that point");
    }
};

struct PathPoint {
    static constexpr const char* kName = "path-point";
    static constexpr const char* kAbout = "A waypoint's text is not two whole numbers x,y.";
    static constexpr Severity kSeverity = Severity::Warning;
    int64_t number = 0;  // 1-based
    std::string text;    // as written
    int32_t readX = 0;
    int32_t readY = 0;
    int64_t partialPoints = 0;  // how many of its points are like it
    std::string Words(const FindingSubject& about) const {
        std::string words = ElementWords(about) + ": its point " + std::to_string(number) + " " +
                            Quoted(text) + " is not two whole numbers \"x,y\"; it is read as " +
                            std::to_string(readX) + "," + std::to_string(readY) +
                            " (a coordinate that cannot be read keeps the previous point's)";
        const int64_t more = partialPoints - 1;
        if (more > 0) words += "; " + Plural(more, "more point is", "more points are") + " alike";
        return words;
    }
};

struct TileSize {
    static constexpr const char* kName = "tile-size";
    static constexpr const char* kAbout =
        "The map's tiles are not 32 x 32 pixels, but objects are placed in cells of 32 x 32 "
        "pixels.";
    static constexpr Severity kSeverity = Severity::Warning;
    int32_t width = 0;
    int32_t height = 0;
    std::string Words(const FindingSubject&) const {
        return "the map's tiles are " + std::to_string(width) + " x " + std::to_string(height) +
               " pixels, but objects are placed in cells of " + std::to_string(kCellPixels) +
               " x " + std::to_string(kCellPixels) + " pixels";
    }
};

// The header.

struct TitleBreaksLine {
    static constexpr const char* kName = "title-breaks-line";
    static constexpr const char* kAbout =
        "The Title holds a TAB, CR or LF, which break the zone script's line.";
    static constexpr Severity kSeverity = Severity::Warning;
    std::string title;
    std::string Words(const FindingSubject&) const {
        const bool tab = title.find('\t') != std::string::npos;
        const bool lineBreak = title.find_first_of("\r\n") != std::string::npos;
        return std::string("the \"Title\" holds ") +
               (tab && lineBreak ? "a TAB and a line break"
                : tab            ? "a TAB"
                                 : "a line break") +
               ", which splits its line in the zone script";
    }
};

struct TitleJoined {
    static constexpr const char* kName = "title-joined";
    static constexpr const char* kAbout = "The Title is written on several lines and read as one.";
    static constexpr Severity kSeverity = Severity::Note;
    std::string title;
    std::string Words(const FindingSubject&) const {
        return "the \"Title\" is written on several lines; it is read as one: " + Quoted(title);
    }
};

// What the zone got of a header property: its value, or no line.
inline std::string ZoneGot(const std::string& property, const std::optional<std::string>& got) {
    const std::string what = property == "Level"     ? "level"
                             : property == "Respawn" ? "respawn"
                                                     : "title";
    return got ? "the zone's " + what + " is " + *got : "the zone gets no " + what + " line";
}

struct HeaderNumber {
    static constexpr const char* kName = "header-number";
    static constexpr const char* kAbout = "A Level or Respawn is not a whole number.";
    static constexpr Severity kSeverity = Severity::Warning;
    std::string property;  // "Level" or "Respawn"
    int32_t value = 0;     // what the game reads of it
    std::string Words(const FindingSubject&) const {
        return "the " + Quoted(property) + " property is not a whole number; " +
               ZoneGot(property, value > 0 ? std::optional(std::to_string(value)) : std::nullopt);
    }
};

// A header property of a type the game has no reading of: a list, a class,
// or a custom type no project declares.
struct HeaderType {
    static constexpr const char* kName = "header-type";
    static constexpr const char* kAbout =
        "A Level, Respawn or Title is a list, a class, or of a custom type no project declares.";
    static constexpr Severity kSeverity = Severity::Warning;
    std::string property;   // "Level", "Respawn" or "Title"
    std::string type;       // "list", "class", or the custom type's name
    std::string className;  // a class's
    std::optional<std::string> got;
    std::string Words(const FindingSubject&) const {
        const bool custom = type != "list" && type != "class";
        const std::string is =
            type == "list"    ? "a list, which the game cannot read"
            : type == "class" ? "of class " + Quoted(className) + ", which the game cannot read"
                              : "of type " + Quoted(type) +
                                    ", which no project found declares: Tiled may show another "
                                    "value than the map stores";
        return "the " + Quoted(property) + " property is " + is + "; " + ZoneGot(property, got) +
               (custom ? ", as stored" : "");
    }
};

// A header property of a project's enum: what Tiled shows of it, and what
// the zone gets.
struct HeaderEnum {
    static constexpr const char* kName = "header-enum";
    static constexpr const char* kAbout =
        "A Level, Respawn or Title is of a project's enum: what Tiled shows and what the zone "
        "gets.";
    static constexpr Severity kSeverity = Severity::Note;
    std::string property;
    std::string type;                   // the enum's name
    std::optional<std::string> stored;  // its index, where stored as one
    std::string shown;                  // what Tiled shows
    std::optional<std::string> got;
    std::string Words(const FindingSubject&) const {
        return "the " + Quoted(property) + " property is of enum " + Quoted(type) +
               (stored ? ", stored as its index " + *stored + " and shown as " + Quoted(shown)
                       : "") +
               "; " + ZoneGot(property, got);
    }
};

// The map's class, whose members' defaults Tiled shows as the map's
// properties while the map does not write them.
struct MapClass {
    static constexpr const char* kName = "map-class";
    static constexpr const char* kAbout =
        "The map's class is declared by no project found, or not for maps: its members' defaults "
        "are not in the map.";
    static constexpr Severity kSeverity = Severity::Warning;
    enum class Why { NoProject, Undeclared, NotForMaps } why = Why::NoProject;
    std::string className;
    std::string project;  // where one was found
    std::string Words(const FindingSubject&) const {
        const std::string is =
            why == Why::NoProject ? ", but no project was found to declare it"
            : why == Why::Undeclared
                ? ", which the project " + Quoted(project) + " does not declare"
                : ", which the project " + Quoted(project) + " does not let maps use";
        return "the map is of class " + Quoted(className) + is +
               ": the zone gets none of the defaults Tiled shows for its members";
    }
};

// A project file that the maps' types could not be taken from.
struct Project {
    static constexpr const char* kName = "project";
    static constexpr const char* kAbout =
        "The map's project file cannot be read, or its folder holds several.";
    static constexpr Severity kSeverity = Severity::Warning;
    std::string problem;
    std::string Words(const FindingSubject&) const { return problem; }
};

struct HeaderName {
    static constexpr const char* kName = "header-name";
    static constexpr const char* kAbout =
        "A map property misses Level, Respawn or Title only by case, white space or one typo: the "
        "game reads none of it.";
    static constexpr Severity kSeverity = Severity::Warning;
    std::string property;  // as the map names it: "level", "Titel"
    std::string header;    // the one it nearly is: "Level"
    // What the zone got: its value from the property of the right name, or
    // none (no line).
    std::optional<std::string> got;
    std::string Words(const FindingSubject&) const {
        std::string what = header == "Level" ? "level" : header == "Respawn" ? "respawn" : "title";
        return "the map property " + Quoted(property) + " is not " + Quoted(header) + ": " +
               (got ? "the zone's " + what + " is " + *got + ", from " + Quoted(header)
                    : "the zone gets no " + what + " line");
    }
};

// The team's settings of the findings.

struct Config {  // a line of a .velt-checks file that says nothing it can take
    static constexpr const char* kName = "config";
    static constexpr const char* kAbout =
        "A line of a checks file is no setting the converter takes.";
    static constexpr Severity kSeverity = Severity::Error;
    std::string problem;
    std::string Words(const FindingSubject&) const { return problem; }
};

// A picture's ground art that could not be used: an atlas, a map's tileset
// file or image, or the tiles of what is no map.
// Under --check: the zone script on disk is not what the map gives now.
struct ZoneScriptStale {
    static constexpr const char* kName = "zone-script-stale";
    static constexpr const char* kAbout =
        "The zone script on disk is not what the map gives now: the map was changed and not "
        "converted again.";
    static constexpr Severity kSeverity = Severity::Warning;
    enum class Why { Changed, SameZone, NotAZoneScript, Unreadable } why = Why::Changed;
    std::string script;                     // as the run names it
    std::vector<std::string> firstChanges;  // as --diff words them, the first few
    int64_t changes = 0;
    std::string reason;  // why it cannot be read

    std::string Words(const FindingSubject&) const {
        const std::string text = "the zone script " + Quoted(script) + " ";
        switch (why) {
            case Why::Unreadable:
                return text + "cannot be read (" + reason + "); convert the map again";
            case Why::NotAZoneScript:
                return text +
                       "is no zone script: not one of its lines is a line the game "
                       "reads; convert the map again";
            case Why::SameZone:
                return text +
                       "holds the zone the map gives, but not in the bytes a conversion "
                       "writes (blocks numbered or lines ordered otherwise); convert the "
                       "map again";
            case Why::Changed:
                break;
        }
        std::string listed;
        for (const std::string& change : firstChanges)
            listed.append(listed.empty() ? "" : "; ").append(change);
        const int64_t more = changes - static_cast<int64_t>(firstChanges.size());
        if (more > 0) listed.append("; ").append(Plural(more, "more change", "more changes"));
        return text + "is stale: the map now gives " + listed + "; convert the map again";
    }
};

// Under --check: no zone script where the run would write one.
struct ZoneScriptMissing {
    static constexpr const char* kName = "zone-script-missing";
    static constexpr const char* kAbout =
        "There is no zone script where a conversion of the map would write it.";
    static constexpr Severity kSeverity = Severity::Note;
    std::string script;
    std::string Words(const FindingSubject&) const {
        return "there is no zone script " + Quoted(script) + " yet; converting the map writes it";
    }
};

struct GroundArt {
    static constexpr const char* kName = "ground-art";
    static constexpr const char* kAbout =
        "The ground art cannot be used: the picture shows that ground in its codes' colours.";
    static constexpr Severity kSeverity = Severity::Note;
    std::string problem;
    std::string Words(const FindingSubject&) const {
        return "the ground art cannot be used (" + problem +
               "); the picture shows that ground in its codes' colours";
    }
};

// Findings silenced where they arise: a custom property of an element.

struct IgnoreUnknown {
    static constexpr const char* kName = "ignore-unknown";
    static constexpr const char* kAbout = "A velt-ignore property names no kind of finding.";
    static constexpr Severity kSeverity = Severity::Error;
    std::string property;  // "velt-ignore"
    std::string kind;      // the name that is no kind
    std::string kinds;     // the kinds there are, in words
    std::string Words(const FindingSubject& about) const {
        return "the " + Quoted(property) + " property of " + ElementWords(about) + " names " +
               Quoted(kind) + ", which is no kind of finding; the kinds are " + kinds;
    }
};

struct IgnoreUnused {
    static constexpr const char* kName = "ignore-unused";
    static constexpr const char* kAbout =
        "A velt-ignore property names a kind that silences nothing there.";
    static constexpr Severity kSeverity = Severity::Note;
    std::string property;
    std::string kind;
    std::string Words(const FindingSubject& about) const {
        return "the " + Quoted(property) + " property of " + ElementWords(about) + " names " +
               Quoted(kind) + ", but nothing there gives that finding";
    }
};

// A zone script read back.

struct ZoneLine {
    static constexpr const char* kName = "zone-line";
    static constexpr const char* kAbout = "A zone script line is no line the game reads.";
    static constexpr Severity kSeverity = Severity::Warning;
    std::string text;  // its first characters
    std::string Words(const FindingSubject&) const {
        return Quoted(text) + " is no zone script line the game reads";
    }
};

struct ZoneNumber {
    static constexpr const char* kName = "zone-number";
    static constexpr const char* kAbout = "A zone script field is not the number the game reads.";
    static constexpr Severity kSeverity = Severity::Warning;
    std::string what;
    int32_t value = 0;
    int32_t low = 0;
    int32_t high = 0;
    std::string Words(const FindingSubject&) const {
        return "the " + what + " " + std::to_string(value) + " is out of its range, " +
               std::to_string(low) + " to " + std::to_string(high);
    }
};

struct ZoneBlock {
    static constexpr const char* kName = "zone-block";
    static constexpr const char* kAbout =
        "A zone script block is defined in a way the game does not read.";
    static constexpr Severity kSeverity = Severity::Warning;
    int32_t blockId = 0;
    std::string Words(const FindingSubject&) const {
        return "block " + std::to_string(blockId) + " is placed but never defined";
    }
};

// A zone script turned into a map (--to-map): what the map cannot hold.

struct ZoneCode {
    static constexpr const char* kName = "zone-code";
    static constexpr const char* kAbout = "A placed block holds ground codes no local id gives.";
    static constexpr Severity kSeverity = Severity::Warning;
    int32_t blockId = 0;
    std::vector<int32_t> codes;  // ground codes no tile gives, in the order met
    std::string Words(const FindingSubject&) const {
        const auto number = [](int32_t code) { return std::to_string(code); };
        return "block " + std::to_string(blockId) + " holds " +
               (codes.size() == 1 ? "code " : "codes ") + Listed(codes, number) +
               ", which no tile gives; the map keeps no ground in " +
               (codes.size() == 1 ? "its cells" : "their cells");
    }
};

struct ZonePlacedAgain {
    static constexpr const char* kName = "zone-placed-again";
    static constexpr const char* kAbout = "A zone script block is placed more than once.";
    static constexpr Severity kSeverity = Severity::Warning;
    int32_t blockId = 0;
    int32_t firstLine = 0;  // of its first placement
    std::string Words(const FindingSubject&) const {
        return "block " + std::to_string(blockId) + " is placed again (first on line " +
               std::to_string(firstLine) +
               "); the map keeps its ground at both places, which a conversion defines as "
               "blocks of their own";
    }
};

struct ZoneUnusedBlock {
    static constexpr const char* kName = "zone-unused-block";
    static constexpr const char* kAbout = "A zone script block is defined but never placed.";
    static constexpr Severity kSeverity = Severity::Warning;
    int32_t blockId = 0;
    std::string Words(const FindingSubject&) const {
        return "block " + std::to_string(blockId) +
               " is defined but never placed; the map keeps nothing of it";
    }
};

// A note where the map keeps the cell, but Tiled would move it.
struct ZoneFar {
    static constexpr const char* kName = "zone-far";
    static constexpr const char* kAbout =
        "A zone script cell lies beyond what a map's pixel positions hold.";
    static constexpr Severity kSeverity = Severity::Warning;
    Cell cell;  // where the zone script puts it
    Cell kept;  // where the map holds it: the same, unless a position cannot hold it
    std::string Words(const FindingSubject&) const {
        if (cell != kept) {
            return "cell " + CellWords(cell) +
                   " lies beyond any position a map can hold; the map keeps it at " +
                   CellWords(kept);
        }
        return "cell " + CellWords(cell) +
               " lies so far out that Tiled, which saves positions to six digits, would move it";
    }
};

struct ZoneTitle {
    static constexpr const char* kName = "zone-title";
    static constexpr const char* kAbout = "A zone script's title holds a line break.";
    static constexpr Severity kSeverity = Severity::Note;
    std::string title;
    std::string Words(const FindingSubject&) const {
        return "the title breaks its line: the map keeps it, but Tiled saves such a title on "
               "several lines, which are read as one";
    }
};

struct ZoneText {
    static constexpr const char* kName = "zone-text";
    static constexpr const char* kAbout =
        "A zone script's title is not UTF-8 or holds characters XML cannot.";
    static constexpr Severity kSeverity = Severity::Warning;
    std::string what;      // "the title"
    std::string kept;      // what the map holds instead
    bool reread = false;   // bytes that are no UTF-8, read as Windows-1252
    bool dropped = false;  // characters XML has no place for, dropped
    std::string Words(const FindingSubject&) const {
        std::string text = what;
        if (reread) text += " is not UTF-8";
        if (reread && dropped) text += " and";
        if (dropped)
            text += " holds characters a map cannot hold (NUL and other control characters)";
        text += "; the map keeps ";
        if (reread) text += "its bytes read as Windows-1252";
        if (reread && dropped) text += ", ";
        if (dropped) text += std::string(reread ? "" : "it ") + "without those characters";
        return text + ": " + QuotedText(kept);
    }
};

struct ZoneRoundTrip {
    static constexpr const char* kName = "zone-round-trip";
    static constexpr const char* kAbout =
        "A zone script line that a conversion of its map writes otherwise.";
    static constexpr Severity kSeverity = Severity::Warning;
    std::optional<std::string> was;  // the line as the zone script has it (its first
                                     // characters); none: the zone script ended
    std::optional<std::string> now;  // the line the map converts back to; none: it ended
    std::string Words(const FindingSubject&) const {
        const auto line = [](const std::string& text) {
            return text.empty() ? std::string("an empty line") : Quoted(text);
        };
        if (!was)
            return "the zone script ends here, but the map's conversion goes on: " + line(*now);
        if (!now)
            return "the map cannot say this line: " + line(*was) +
                   "; its conversion ends before it";
        return "the map cannot say this line as it is: " + line(*was) + "; its conversion writes " +
               line(*now) + " here";
    }
};

}  // namespace finding

// Every kind, in the order the catalogue lists them.
// clang-format off
using FindingData = std::variant<
    finding::Load,
    finding::Write,
    finding::LayerData,
    finding::Template,
    finding::TilesOutsideZone,
    finding::TileWithoutCode,
    finding::TilesetsShareCodes,
    finding::FileReference,
    finding::TilesetName,
    finding::MobUnknown,
    finding::GroundUnknown,
    finding::MarkerBlocked,
    finding::Unreachable,
    finding::PathBlocked,
    finding::EmptyZone,
    finding::LayerBlanksTiles,
    finding::HiddenLayer,
    finding::LayerOffset,
    finding::Orientation,
    finding::GroupName,
    finding::MobNumber,
    finding::ZoneMarker,
    finding::WaypointShape,
    finding::PathIdReused,
    finding::ObjectOutsideZone,
    finding::PathOutsideZone,
    finding::TileObjectAnchor,
    finding::PathPoint,
    finding::TileSize,
    finding::TitleBreaksLine,
    finding::TitleJoined,
    finding::HeaderNumber,
    finding::HeaderName,
    finding::HeaderType,
    finding::HeaderEnum,
    finding::MapClass,
    finding::Project,
    finding::Config,
    finding::ZoneScriptStale,
    finding::ZoneScriptMissing,
    finding::GroundArt,
    finding::IgnoreUnknown,
    finding::IgnoreUnused,
    finding::ZoneLine,
    finding::ZoneNumber,
    finding::ZoneBlock,
    finding::ZoneCode,
    finding::ZonePlacedAgain,
    finding::ZoneUnusedBlock,
    finding::ZoneFar,
    finding::ZoneTitle,
    finding::ZoneText,
    finding::ZoneRoundTrip>;
// clang-format on
