#pragma once

// What the game's rules drop or change of a map as drawn, as data: one
// struct of named fields per kind. FindingText words them; KindName gives
// the name users see in brackets.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "tmx/model/TmxMap.h"

// What a finding is about, as a designer finds it in Tiled.
struct FindingSubject {
    enum class Element { Map, Layer, ObjectGroup, Group, Object, Property, ZoneLine };
    Element element = Element::Map;
    std::string layer;       // the layer, object group or group (an object's group), by
                             // its path through the groups that hold it: "South/Ground"
    int32_t objectId = 0;    // the object (Tiled's ids start at 1)
    std::string objectName;  // the object's name, where the words give it
    int32_t layerId = 0;     // the "id" of that layer or group, where the map has one
};

struct Cell {
    int64_t column = 0;
    int64_t row = 0;
};

namespace finding {

// The map could not be loaded.
struct Load {
    std::string reason;
};
// Layer data the loader could not read, or a template it could not use.
struct LayerData {
    tmx::TmxLayerDataProblem problem;
};
struct Template {
    tmx::TmxTemplateProblem problem;
};

// Tile layers.
struct TilesOutsideZone {
    int64_t tiles = 0;
};
struct TileId {
    std::string tileset;  // its name, or the file it is kept in
    int32_t localId = 0;
    // Tiled's hexagonal 120 degree turn is set: the id and tileset are those
    // of the tile without it, which the game reads as another id.
    bool turned120 = false;
};
struct TileWithoutCode {
    int64_t tiles = 0;
    int64_t distinctIds = 0;
    std::vector<TileId> firstIds;  // the first few, by tileset then id
    std::vector<Cell> firstCells;  // the first few, as the layer lists them
};
struct TilesetsShareCodes {
    int64_t tilesets = 0;
    std::vector<std::string> firstTilesets;
};
struct EmptyZone {
    std::string blankedBy;  // the layer that blanked the last ground; "" if none had any
};
struct LayerBlanksTiles {
    int64_t cells = 0;
    std::vector<Cell> firstCells;  // the first few, row by row
};
struct HiddenLayer {};  // a layer, object group or group
struct LayerOffset {    // the same
    double x = 0;
    double y = 0;
};
struct Orientation {
    std::string name;
};

// Object groups and objects.
struct GroupName {
    std::string nearName;  // the name the game reads that it nearly is
    int64_t objects = 0;   // how many were ignored
};
struct MobNumber {
    int32_t spawns = 0;  // the mob it spawns; 0 where the name holds no number
};
struct ZoneMarker {};
struct WaypointShape {
    tmx::TmxShape shape = tmx::TmxShape::Rectangle;
};
struct PathIdReused {
    int32_t pathId = 0;
    int32_t firstObject = 0;  // the object that took it first
};
struct ObjectOutsideZone {
    Cell cell;
};
struct PathOutsideZone {
    Cell firstOutside;
    int64_t pointsOutside = 0;
    int64_t points = 0;
};
struct TileObjectAnchor {
    Cell drawnOver;  // its top-left cell, as Tiled draws it
    Cell placedIn;   // the cell of its bottom-left corner
};
struct PathPoint {
    int64_t number = 0;  // 1-based
    std::string text;    // as written
    int32_t readX = 0;
    int32_t readY = 0;
    int64_t partialPoints = 0;  // how many of its points are like it
};
struct TileSize {
    int32_t width = 0;
    int32_t height = 0;
};

// The header.
struct TitleBreaksLine {
    std::string title;
};
struct TitleJoined {
    std::string title;
};
struct HeaderNumber {
    std::string property;  // "Level" or "Respawn"
    int32_t value = 0;     // what the game reads of it
};

// A zone script read back.
struct ZoneLine {
    std::string text;  // its first characters
};
struct ZoneNumber {
    std::string what;
    int32_t value = 0;
    int32_t low = 0;
    int32_t high = 0;
};
struct ZoneBlock {
    int32_t blockId = 0;
};

// A zone script turned into a map (--to-map): what the map cannot hold.
struct ZoneCode {
    int32_t blockId = 0;
    std::vector<int32_t> codes;  // ground codes no tile gives, in the order met
};
struct ZonePlacedAgain {
    int32_t blockId = 0;
    int32_t firstLine = 0;  // of its first placement
};
struct ZoneUnusedBlock {
    int32_t blockId = 0;
};
struct ZoneFar {
    Cell cell;  // where the zone script puts it
    Cell kept;  // where the map holds it: the same, unless a position cannot hold it
};
struct ZoneTitle {
    std::string title;
};
struct ZoneText {
    std::string what;      // "the title"
    std::string kept;      // what the map holds instead
    bool reread = false;   // bytes that are no UTF-8, read as Windows-1252
    bool dropped = false;  // characters XML has no place for, dropped
};
struct ZoneRoundTrip {
    std::optional<std::string> was;  // the line as the zone script has it (its first
                                     // characters); none: the zone script ended
    std::optional<std::string> now;  // the line the map converts back to; none: it ended
};

}  // namespace finding

using FindingData =
    std::variant<finding::Load, finding::LayerData, finding::Template, finding::TilesOutsideZone,
                 finding::TileWithoutCode, finding::TilesetsShareCodes, finding::EmptyZone,
                 finding::LayerBlanksTiles, finding::HiddenLayer, finding::LayerOffset,
                 finding::Orientation, finding::GroupName, finding::MobNumber, finding::ZoneMarker,
                 finding::WaypointShape, finding::PathIdReused, finding::ObjectOutsideZone,
                 finding::PathOutsideZone, finding::TileObjectAnchor, finding::PathPoint,
                 finding::TileSize, finding::TitleBreaksLine, finding::TitleJoined,
                 finding::HeaderNumber, finding::ZoneLine, finding::ZoneNumber, finding::ZoneBlock,
                 finding::ZoneCode, finding::ZonePlacedAgain, finding::ZoneUnusedBlock,
                 finding::ZoneFar, finding::ZoneTitle, finding::ZoneText, finding::ZoneRoundTrip>;

struct Finding {
    tmx::TmxSeverity severity = tmx::TmxSeverity::Warning;
    tmx::TmxLocation at;  // of the element it is about
    FindingSubject about;
    FindingData what;
};

using Findings = std::vector<Finding>;

// The cells a finding names, or nullptr for a kind that names none.
const std::vector<Cell>* CellsOf(const FindingData& what);

// The loader's findings about `map`, as the program reports them.
Findings FindingsOfLoad(const tmx::TmxMap& map);
