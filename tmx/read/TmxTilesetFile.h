#pragma once

#include <string>

#include "tmx/model/TmxMap.h"

namespace tmx {

// What a map takes of its tilesets kept in files of their own (.tsx, .tsj),
// where those files are there: the object alignment of the tilesets its
// tile objects are drawn from, which says where Tiled draws them. Nothing
// else: the ground needs nothing of these files.
void ReadTilesetFiles(TmxMap& map);

// For a picture of the map in its own art: each tileset kept in a file of its
// own read whole (its tiles' size, margin, spacing, columns, its image or its
// tiles' images, named from the file's folder), where the file is there. The
// map's first global ids stay; a file that cannot be read leaves its tileset
// as it was.
void ReadTilesetArt(TmxMap& map);

// The name the tileset file at `path` gives its tileset, as Tiled shows it
// on the tileset's tab; "" where it gives none or cannot be read.
std::string TilesetNameInFile(const std::string& path);

}  // namespace tmx
