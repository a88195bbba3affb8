#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace tmx {

// Where an element starts in the map file: 1-based line and column; 0 where
// the reader knows no place (a JSON map).
struct TmxLocation {
    int32_t line = 0;
    int32_t column = 0;
};

enum class TmxSeverity { Note, Warning, Error };

// Tiles of a layer the loader could not read: data that cannot be decoded
// (`compression` names it), a compression that is unknown (`compression` is
// its name; the data was read as uncompressed), or a declared size too large
// to hold (`width` x `height` cells).
struct TmxLayerDataProblem {
    enum class Kind { Undecodable, UnknownCompression, TooLarge } kind = Kind::Undecodable;
    std::string compression;
    int32_t width = 0;
    int32_t height = 0;
};

// An object template that could not be used; the object stays as written.
struct TmxTemplateProblem {
    std::string path;    // the template, as the map names it
    std::string reason;  // why, in words
};

// Something the loader could not use as written, as data: the words are the
// program's to choose.
struct TmxFinding {
    TmxLocation at;        // of the element it is about
    int32_t order = 0;     // the stacking order of its layer or object group
    std::string layer;     // the layer, or the object group of the object
    int32_t objectId = 0;  // the object, for a template (Tiled's ids start at 1)
    std::variant<TmxLayerDataProblem, TmxTemplateProblem> problem;
};

using TmxFindings = std::vector<TmxFinding>;

}  // namespace tmx
