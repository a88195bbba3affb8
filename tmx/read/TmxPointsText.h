#pragma once

#include <string_view>

#include "tmx/model/TmxObjectGroup.h"

namespace tmx {

// Reads points from their TMX text: tokens split at spaces only, each "x,y"
// read as C's "%d,%d". A coordinate that cannot be read repeats the one of
// the point before it (0 for the first point), so "64.5,-64" keeps the
// previous y; every token makes a point, and one not read whole is marked.
// JSON points come here too, as the text Tiled writes for them in TMX.
void ReadPointsText(std::string_view text, TmxPointList& points);

}  // namespace tmx
