#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "tmx/model/TmxFinding.h"

namespace simdjson::dom {
class element;
class object;
}  // namespace simdjson::dom

namespace tmx {

class TmxJsonPlaces;
class TmxMap;
class TmxObject;
class TmxLayer;
class TmxObjectGroup;
class TmxProperties;
class TmxTileset;

// The bytes the JSON parser may read past a text's end, which must be ours.
constexpr size_t kJsonPadding = 64;

// Whether a text is JSON: its first character that is no white space is "{".
bool IsJson(const char* text);

// How Tiled writes a number in TMX: a float property, in the shortest digits
// that read back as the same double, in decimal form unless the exponent form
// is shorter (100000 stays, 1e+15 does not; 0.0001 stays, 1e-05 does not);
// object positions, sizes, points and offsets with C's "%g", six significant
// digits (1234567 is "1.23457e+06").
std::string TiledFloatText(double value);

// A property's JSON value as the text Tiled writes for it in TMX, `type`
// its type ("int", "float", "string" ...); a class's members are none.
std::string PropertyText(std::string_view type, const simdjson::dom::element& value);
std::string TiledPositionText(double value);

// Tiled's JSON map format read into the same model as TMX, so that a map
// converts to the bytes of the TMX map Tiled saves from it: numbers and
// property values become the text Tiled writes in TMX before they are read
// as TMX text is read. Texts are followed by kJsonPadding bytes of their own.
class TmxJsonReader {
  public:
    // Fills `map`, or records why it cannot. `owner`, when given, holds the
    // text and is freed once it is parsed.
    static void ReadMap(TmxMap& map, const char* text, size_t size, std::string* owner);
    // Reads a template file's object into `object`; returns "" or what is wrong.
    static std::string ReadTemplate(const char* text, size_t size, TmxObject& object);
    // Reads a tileset file into `tileset`; returns "" or what is wrong.
    static std::string ReadTilesetFile(const char* text, size_t size, TmxTileset& tileset);

  private:
    using Json = simdjson::dom::object;
    // Where a record stands in the text (see TmxJsonPlaces).
    struct Spot {
        const TmxJsonPlaces& places;
        uint32_t node;  // TmxJsonPlaces::Node
        Spot In(const char* array, size_t index) const;
        TmxLocation Location() const;
    };
    static void ReadMapObject(TmxMap& map, const Json& json, const Spot& at);
    static void ReadLayerLike(TmxMap& map, const Json& json, const Spot& at, int32_t& orderIndex);
    static void ReadTileLayer(TmxLayer& layer, const Json& json, const Spot& at);
    static void ReadObjectGroup(TmxObjectGroup& group, const Json& json, const Spot& at);
    static void ReadObject(TmxObject& object, const Json& json, const Spot& at);
    static void ReadTileset(TmxTileset& tileset, const Json& json);
    static void ReadProperties(const Json& owner, TmxProperties& properties, const Spot* at);
};

}  // namespace tmx
