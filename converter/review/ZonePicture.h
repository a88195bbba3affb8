#pragma once

// The pictures of a zone and of a change, as PNG bytes: the same zone gives
// the same bytes; empty when the PNG library fails. Each shows, unless told
// to show the whole zone, the cells the zone holds (or the cells that
// changed) and a block around them, numbered along the top and left edges,
// with a legend under it.

#include <cstdint>
#include <string>

class GroundArt;
struct GameTables;
struct Zone;
struct ZoneChanges;

// Pixels a cell in the pictures, unless the user chooses.
constexpr int32_t kDefaultPictureScale = 8;
constexpr int32_t kMaxPictureScale = 32;

struct PictureOptions {
    int32_t scale = kDefaultPictureScale;
    bool wholeZone = false;                // all 128 x 128 cells
    const GroundArt* art = nullptr;        // the ground's tiles, or its codes' colours
    const GroundArt* artBefore = nullptr;  // for a change: the zone before's
    // The game's tables: their colours for the codes, and a legend of the
    // codes and mobs shown with their names.
    const GameTables* tables = nullptr;
    // Where a player walks, where the tables say: the cells with ground that
    // is not walkable hatched, and the walkable cells no entry reaches tinted.
    bool walk = false;
};

// The zone as the game will build it: each placed block's ground codes (no
// ground: dark grey) and the block's outline; waypoint paths in yellow;
// entries, exits, traps and mobs by their shapes.
std::string DrawZonePicture(const Zone& zone, const PictureOptions& options);

// A change side by side: the zone before and the zone after over the same
// cells, unchanged ground dimmed and changed cells framed on both; what was
// removed marked on the left, what was added on the right, what moved at its
// old place on the left and its new place on the right, with an arrow.
std::string DrawZoneChange(const Zone& before, const Zone& after, const ZoneChanges& changes,
                           const PictureOptions& options);

// A change in one picture: the zone after as above, and in grey what is no
// longer there and where moved things were, with a line to where they went.
std::string DrawZoneOverlay(const Zone& before, const Zone& after, const ZoneChanges& changes,
                            const PictureOptions& options);
