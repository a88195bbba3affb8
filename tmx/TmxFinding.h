#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tmx {

// Where an element starts in the map file: 1-based line and column; 0 where
// the reader knows no place (a JSON map).
struct TmxLocation {
    int32_t line = 0;
    int32_t column = 0;
};

enum class TmxSeverity { Note, Warning, Error };

// What a finding is about; each has a fixed name (KindName) that users see.
enum class TmxFindingKind {
    Load,                // the map could not be loaded
    TilesOutsideZone,    // tiles beyond the zone's 128 x 128 cells
    LayerUndecodable,    // layer data that cannot be decoded   } all three:
    LayerCompression,    // an unknown compression               } "layer-data"
    LayerTooLarge,       // a size too large to hold             }
    TileWithoutCode,     // tiles whose local id has no ground code
    TilesetsShareCodes,  // a layer's ground from several tilesets, told apart by id alone
    EmptyZone,           // tile layers, but no ground in the zone
    LayerBlanksTiles,    // a layer's empty or codeless cells blank earlier layers' tiles
    HiddenLayer,         // a hidden layer, object group or group that still counts
    GroupName,           // an object group name that nearly matches one the game reads
    MobNumber,           // a mob whose name is not a whole number the game can hold
    ZoneMarker,          // a "Zones" object that is neither an entry nor an exit
    WaypointShape,       // a waypoint that is not a polyline with points
    PathIdReused,        // a path id that an earlier path already has
    ObjectOutsideZone,   // an object or waypoint outside the zone's cells
    TileObjectAnchor,    // a tile object placed in another cell than it is drawn over
    PathPoint,           // a path's point whose text is not two whole numbers
    TileSize,            // tiles other than 32 x 32 on a map with objects
    Orientation,         // a map that is not orthogonal
    LayerOffset,         // an offset the conversion ignores
    TitleBreaksLine,     // a "Title" holding a TAB, CR or LF
    TitleJoined,         // a "Title" of several lines, read as one
    HeaderNumber,        // a "Level" or "Respawn" that is not a whole number
    Template,            // an object template that could not be used
    ZoneLine,            // a zone script line read back that is no line the game reads
    ZoneNumber,          // a number of such a line out of its range
    ZoneBlock,           // a block placed but never defined
};

const char* KindName(TmxFindingKind kind);

// The kind of element a finding is about.
enum class TmxElement { Map, Layer, ObjectGroup, Group, Object, Property, ZoneLine };

// Something in a map that the conversion could not use as drawn, as data:
// the words are the program's to choose. Which fields a kind fills is said
// where the kind is found; unused ones keep their defaults.
struct TmxFinding {
    TmxSeverity severity = TmxSeverity::Warning;
    TmxFindingKind kind = TmxFindingKind::Load;
    TmxElement element = TmxElement::Map;
    TmxLocation at;                     // of that element
    std::string layer;                  // the layer, object group or group it is about
    int32_t objectId = 0;               // the object it is about (Tiled's ids start at 1)
    std::string subject;                // the name, value, path or text it is about
    std::vector<int64_t> values;        // the numbers that say more: counts, ids, cells
    std::string detail;                 // what went wrong reading a file it names, in words
    std::vector<std::string> tilesets;  // the tilesets it names
};

using TmxFindings = std::vector<TmxFinding>;

// An offset in pixels as a finding's values: thousandths of a pixel.
std::vector<int64_t> OffsetValues(double x, double y);

}  // namespace tmx
