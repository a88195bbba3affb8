#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <vector>

#include "ZoneGeometry.h"

// What a zone script says, line kind by line kind, as the game reads it: the
// writer records it as it writes, the reader gets it back from the bytes, and
// the preview draws it. The header is not drawn and not kept.
struct ZoneContent {
    using BlockCodes = std::array<std::array<int32_t, kBlockCells>, kBlockCells>;  // [row][column]

    struct Placement {
        int32_t blockId;
        int32_t x;  // twice the block's first column, as the game reads it
        int32_t y;  // twice the block's first row
        bool operator==(const Placement&) const = default;
    };
    // A #DEF_CODE line: a marker (">", "<", "*") or a mob number.
    struct Code {
        int32_t column;
        int32_t row;
        char marker;     // 0 for a mob
        int32_t number;  // the mob, when marker is 0
        bool operator==(const Code&) const = default;
    };
    struct Waypoint {
        int32_t pathId;
        int32_t column;
        int32_t row;
        bool operator==(const Waypoint&) const = default;
    };

    std::map<int32_t, BlockCodes> blocks;  // by id
    std::vector<Placement> placements;
    std::vector<Code> codes;
    // Each path start line opens a path; its #DEF_WAYPOINT lines follow.
    std::vector<std::vector<Waypoint>> paths;
};
