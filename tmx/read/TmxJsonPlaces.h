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
// named "object". A record is reached by its path from the document, a step
// at a time (Member, Element), or by the whole path ("/layers/2/objects/0",
// "/properties/1", "/tilesets/0", "/patterns/0", "/object"). Ids in "data"
// arrays and long strings are passed over in bulk, and what lies under any
// other key is not noted, so that deep nesting costs no long paths.
class TmxJsonPlaces {
  public:
    // An object or array of the text that a path can name.
    using Node = uint32_t;
    static constexpr Node kDocument = 0;
    static constexpr Node kNone = UINT32_MAX;

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

    // The object or array under `key` of the object `node` (the first, where
    // a key repeats), and the element `index` of the array `node`; kNone
    // where there is none, or `node` is kNone.
    Node Member(Node node, std::string_view key) const;
    Node Element(Node node, size_t index) const;

    // The object or array a whole path names ("" the document itself).
    Node Named(std::string_view path) const;

    // The line and byte column (both from 1) of the record `node`, or at
    // `path`; none where the text holds no such record.
    TmxLocation At(Node node) const;
    TmxLocation At(std::string_view path) const { return At(Named(path)); }

    // Whether the ids of the "data" array `node` (the map's "/layers/0/data",
    // "/layers/1/layers/0/chunks/3/data") were taken out of the text, and
    // then, in `ids`, what they are.
    bool LiftedIds(Node node, std::span<const uint32_t>& ids) const;

  private:
    void Walk(const char* begin, size_t size, char* writable);
    // A new node as the child `key` of `parent` (see ChildKey); kNone where
    // that place is taken already.
    Node Add(const std::string& key, bool isArray);

    static constexpr size_t kNotLifted = SIZE_MAX;
    struct Noted {
        bool isArray = false;
        TmxLocation place;           // a record's; none for the rest
        size_t lifted = kNotLifted;  // where its ids start in ids_
        size_t count = 0;
    };

    std::vector<Noted> nodes_;
    std::unordered_map<std::string, Node> children_;  // by ChildKey
    std::vector<uint32_t> ids_;
};

}  // namespace tmx
