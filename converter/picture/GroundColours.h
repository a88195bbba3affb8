#pragma once

#include <cstdint>

#include "converter/picture/Canvas.h"

// The colour of ground code `code` (1 to 255) in every picture, and of a
// cell without ground.
Rgb GroundColour(int32_t code);
constexpr Rgb kNoGround{48, 48, 48};
