#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "tmx/model/TmxMap.h"

namespace tmx {

// The objects of template files (.tx, or Tiled's JSON .tj), each file read
// once however many objects, or maps of one run, name it.
class TmxTemplates {
  public:
    // More distinct templates than this in one map are not read.
    static constexpr size_t kMaxPerMap = 256;

    // A new map, whose template paths are relative to `folder` ("" or ending in "/").
    void BeginMap(const std::string& folder);

    // Makes each object of `map` that names a template what its template and
    // it make together, as Tiled merges them. A template that cannot be used
    // leaves its object as written, and is a finding of the map.
    void ApplyAll(TmxMap& map);

    // The same for one object: "" or why its template could not be used.
    std::string Apply(TmxObject& object);

  private:
    struct Entry {
        std::optional<TmxObject> object;
        std::string problem;
    };
    static Entry Read(const std::string& path);

    std::map<std::string, Entry> files_;
    std::string folder_;
    std::set<std::string> namedByMap_;
};

}  // namespace tmx
