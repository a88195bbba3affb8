#pragma once

#include <cstdint>
#include <string>

#include "ZoneContent.h"
#include "ZoneDiff.h"

constexpr int32_t kDefaultPreviewScale = 8;
constexpr int32_t kMaxPreviewScale = 32;

// A picture of the zone as the game will build it, as PNG bytes: 128 x 128
// cells of `scale` pixels; each placed block's ground codes in their colours
// (no ground: dark grey) and the block's outline; waypoint paths in yellow
// (a line through their points, a hollow square where each starts, an
// arrowhead where each step ends); entries as green triangles pointing right,
// exits as red ones pointing left, traps as orange crosses, mobs as white
// diamonds with their numbers. The same zone gives the same bytes; empty
// when the PNG library fails.
std::string DrawZonePreview(const ZoneContent& zone, int32_t scale);

// A picture of a change: the new zone drawn as above, its unchanged ground
// dimmed and each changed cell framed in magenta; in grey, what is no longer
// there (removed markers, paths and path points) and where moved markers and
// points were, with a line to where they went.
std::string DrawZoneChange(const ZoneContent& after, const ZoneChanges& changes, int32_t scale);

// The tileset that gives a map the game's ground codes: tile i (0 to 198, 16
// a row, 32 x 32 pixels) in the colour of the code local id i gives, with the
// code's number on it; tile 0, which gives none, is left dark grey.
constexpr int32_t kGroundTilesetColumns = 16;
std::string DrawGroundCodesTileset();
