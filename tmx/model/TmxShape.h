#pragma once

#include <cstdint>

namespace tmx {

// What an object is drawn as; a shape child decides, a gid makes a tile.
enum class TmxShape { Rectangle, Ellipse, Capsule, Point, Polygon, Polyline, Text, Tile };

// The point of the tile Tiled draws for a tile object that is the object's
// position: in halves of the tile's width from its left (0, 1, 2) and of its
// height from its top.
struct TmxObjectAnchor {
    int32_t across = 0;
    int32_t down = 2;  // bottom-left
};

}  // namespace tmx
