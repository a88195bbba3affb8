#pragma once

#include <cstdint>
#include <string>

struct Zone;
struct ZoneChanges;

// Pixels a cell in the pictures, unless the user chooses.
constexpr int32_t kDefaultPictureScale = 8;
constexpr int32_t kMaxPictureScale = 32;

// A picture of the zone as the game will build it, as PNG bytes: 128 x 128
// cells of `scale` pixels; each placed block's ground codes in their colours
// (no ground: dark grey) and the block's outline; waypoint paths in yellow
// (a line through their points, a hollow square where each starts, an
// arrowhead where each step ends); entries as green triangles pointing right,
// exits as red ones pointing left, traps as orange crosses, mobs as white
// diamonds with their numbers. The same zone gives the same bytes; empty
// when the PNG library fails.
std::string DrawZonePicture(const Zone& zone, int32_t scale);

// A picture of a change: the new zone drawn as above, its unchanged ground
// dimmed and each changed cell framed in magenta; in grey, what is no longer
// there (removed markers, paths and path points) and where moved markers and
// points were, with a line to where they went.
std::string DrawZoneChange(const Zone& after, const ZoneChanges& changes, int32_t scale);
