#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

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

    // The same pass over a map's own text before it is parsed, which also
    // takes the ids out of its layers' and chunks' "data" arrays: the parser
    // would build a record of each id, read back one by one. An array of ids
    // as Tiled writes them (see ReadJsonIdArray) is read here and left empty
    // in `text`, its line breaks where they were, so that every place after
    // it stays. Only the array the parser's reader will take is lifted: the
    // first at its path, and none after a key written with an escape (which
    // the pass cannot compare). Text nested deeper than kMaxNesting, which
    // the parser refuses, ends the pass.
    TmxJsonPlaces(char* text, size_t size);

    // The line and byte column (both from 1) of the record at `path`; none
    // where the text holds no such record.
    TmxLocation At(const std::string& path) const;

    // Whether the ids of the "data" array at `path` ("/layers/0/data",
    // "/layers/1/layers/0/chunks/3/data") were taken out of the text, and
    // then, in `ids`, what they are.
    bool LiftedIds(const std::string& path, std::span<const uint32_t>& ids) const;

  private:
    void Walk(const char* begin, size_t size, char* writable);

    // Where a data array's ids start in ids_, and how many; kNotLifted for
    // the first array at a path that stayed in the text.
    struct Lifted {
        size_t first = 0;
        size_t count = 0;
    };
    static constexpr size_t kNotLifted = SIZE_MAX;

    std::unordered_map<std::string, TmxLocation> places_;
    std::unordered_map<std::string, Lifted> lifted_;
    std::vector<uint32_t> ids_;
};

}  // namespace tmx
