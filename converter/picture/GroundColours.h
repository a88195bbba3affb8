#pragma once

#include <cstdint>

#include "converter/game/GameTables.h"
#include "converter/picture/Canvas.h"

// The colour of ground code `code` (1 to 255) in every picture, and of a
// cell without ground.
Rgb GroundColour(int32_t code);
// The same, where a ground table gives the code a colour of the team's own:
// that colour.
Rgb GroundColour(int32_t code, const GroundTable* table);
constexpr Rgb kNoGround{48, 48, 48};
