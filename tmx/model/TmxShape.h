#pragma once

namespace tmx {

// What an object is drawn as; a shape child decides, a gid makes a tile.
enum class TmxShape { Rectangle, Ellipse, Capsule, Point, Polygon, Polyline, Text, Tile };

}  // namespace tmx
