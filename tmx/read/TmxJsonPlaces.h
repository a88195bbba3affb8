#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

#include "tmx/model/TmxFinding.h"

namespace tmx {

// Where the records of a JSON map or template start in its text, so that
// findings point at their line and column as they do in TMX. The parser
// keeps no places, so one quick pass over the text notes them: the document
// itself, and each element of an array named "layers", "objects" or
// "properties", of a map's "tilesets" or a world's "patterns", or the object
// named "object", by its path ("", "/layers/2/objects/0", "/properties/1",
// "/tilesets/0", "/patterns/0", "/object"). Ids in "data" arrays and long strings are passed over
// in bulk.
class TmxJsonPlaces {
  public:
    // `text` is JSON the parser accepted.
    explicit TmxJsonPlaces(std::string_view text);

    // The line and byte column (both from 1) of the record at `path`; none
    // where the text holds no such record.
    TmxLocation At(const std::string& path) const;

  private:
    std::unordered_map<std::string, TmxLocation> places_;
};

}  // namespace tmx
