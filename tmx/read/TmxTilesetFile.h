#pragma once

#include "tmx/model/TmxMap.h"

namespace tmx {

// What a map takes of its tilesets kept in files of their own (.tsx, .tsj),
// where those files are there: the object alignment of the tilesets its
// tile objects are drawn from, which says where Tiled draws them. Nothing
// else: the ground needs nothing of these files.
void ReadTilesetFiles(TmxMap& map);

}  // namespace tmx
