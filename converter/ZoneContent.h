#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ZoneGeometry.h"
#include "tmx/model/TmxFinding.h"

// What a zone script says, line kind by line kind, as the game reads it: the
// writer records it as it writes, the reader gets it back from the bytes, and
// the preview, the diff and the description use it.
struct ZoneContent {
    using BlockCodes = std::array<std::array<int32_t, kBlockCells>, kBlockCells>;  // [row][column]

    struct Placement {
        int32_t blockId;
        int32_t x;              // twice the block's first column, as the game reads it
        int32_t y;              // twice the block's first row
        tmx::TmxLocation at{};  // its line, where read; not compared
        bool operator==(const Placement& other) const {
            return blockId == other.blockId && x == other.x && y == other.y;
        }
    };
    // A #DEF_CODE line: a marker (">", "<", "*") or a mob number. `at` is
    // where it comes from (the object in a map, the line of a zone script;
    // line 0 where unknown): no part of what the game reads, so not compared.
    struct Code {
        int32_t column;
        int32_t row;
        char marker;     // 0 for a mob
        int32_t number;  // the mob, when marker is 0
        tmx::TmxLocation at{};
        bool operator==(const Code& other) const {
            return column == other.column && row == other.row && marker == other.marker &&
                   number == other.number;
        }
    };
    struct Waypoint {
        int32_t pathId;
        int32_t column;
        int32_t row;
        tmx::TmxLocation at{};  // as a code's
        bool operator==(const Waypoint& other) const {
            return pathId == other.pathId && column == other.column && row == other.row;
        }
    };

    // The header's lines, where there are some (the last, where repeated),
    // and where each comes from (the property in a map, the line of a zone
    // script; line 0 where unknown).
    std::optional<int32_t> level;
    std::optional<int32_t> respawn;
    std::optional<std::string> title;
    tmx::TmxLocation levelAt{};
    tmx::TmxLocation respawnAt{};
    tmx::TmxLocation titleAt{};

    std::map<int32_t, BlockCodes> blocks;         // by id
    std::map<int32_t, tmx::TmxLocation> blockAt;  // a block's first #DEF_TILE line, where read
    std::vector<Placement> placements;
    std::vector<Code> codes;
    // Each path start line opens a path; its #DEF_WAYPOINT lines follow.
    std::vector<std::vector<Waypoint>> paths;

    // Codes and paths in the order of their lines: a code (its index in
    // `codes`) or a path (in `paths`).
    struct Item {
        bool isPath;
        size_t index;
    };
    std::vector<Item> order;
};

// The kinds of #DEF_CODE lines in the order a reviewer reads them: entries,
// exits, traps, mobs; and their names.
constexpr int MarkerRank(char marker) {
    return marker == '>' ? 0 : marker == '<' ? 1 : marker == '*' ? 2 : 3;
}
constexpr const char* kMarkerNames[] = {"entry", "exit", "trap", "mob"};
