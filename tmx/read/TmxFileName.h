#pragma once

#include <string>

namespace tmx {

// The file a path in a map (a template's, a tileset's; not empty) names from
// the map's folder, spelled one way, so that the same file named two ways is
// still one file: "." steps and "name/.." pairs dropped, as they lead
// nowhere. Tiled on Windows accepts "\" in such a path, and a map converts
// alike on every platform, so "\" separates too.
std::string FileNamedFrom(const std::string& folder, const std::string& named);

}  // namespace tmx
