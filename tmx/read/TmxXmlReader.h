#pragma once

#include <cstddef>
#include <string>

class TiXmlElement;

namespace tmx {

class TmxMap;
class TmxObject;
class TmxTileset;

// Tiled's TMX (XML) format read into the model, through its construction
// interface, in file order.
class TmxXmlReader {
  public:
    // Fills `map` from the `size` bytes of `text`, which are followed by NUL
    // bytes of their own, or records why it cannot. `owner`, when given,
    // holds the text and is freed once the map's own properties are read.
    static void ReadMap(TmxMap& map, const char* text, size_t size, std::string* owner);
    // Reads an `object` element (of a map, or of a template file).
    static void ReadObject(const TiXmlElement* element, TmxObject& object);
    // Reads a `tileset` element (of a map, or of a tileset file).
    static TmxTileset ReadTileset(const TiXmlElement* element);
};

}  // namespace tmx
