#pragma once

// A zone as its zone script says it, line kind by line kind and in the order
// of the lines: what the exports build from a map, what the writer turns into
// bytes, what the reader gets back from them, and what the review and the
// way back to a map read. Each thing keeps where it comes from (the element
// in a map, the line of a zone script; line 0 where unknown), which is no
// part of what the game reads and so never compared.

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "converter/game/ZoneGeometry.h"
#include "tmx/model/TmxFinding.h"

struct Zone {
    // A block's 36 ground codes, row by row: [row][column].
    using BlockCodes = std::array<std::array<uint8_t, kBlockCells>, kBlockCells>;

    // A #DEF_TILE block: its six rows, defined under its id.
    struct Block {
        int32_t id = 0;
        BlockCodes codes{};
        tmx::TmxLocation at{};  // its first row's line
        bool operator==(const Block& other) const { return id == other.id && codes == other.codes; }
    };
    // An #IMP_TILE line: a block placed at twice its first column and row.
    struct Placement {
        int32_t blockId = 0;
        int32_t x = 0;
        int32_t y = 0;
        tmx::TmxLocation at{};
        bool operator==(const Placement& other) const {
            return blockId == other.blockId && x == other.x && y == other.y;
        }
    };
    // A #DEF_CODE line: a marker (entry, exit, trap) or a mob by its number.
    struct Code {
        int32_t column = 0;
        int32_t row = 0;
        char marker = 0;     // 0 for a mob
        int32_t number = 0;  // the mob, when marker is 0
        tmx::TmxLocation at{};
        int32_t objectId = 0;  // the map's object it comes from (0: none, or a zone script's line)
        bool operator==(const Code& other) const {
            return column == other.column && row == other.row && marker == other.marker &&
                   number == other.number;
        }
    };
    // A #DEF_WAYPOINT line.
    struct Waypoint {
        int32_t pathId = 0;
        int32_t column = 0;
        int32_t row = 0;
        tmx::TmxLocation at{};
        int32_t objectId = 0;
        bool operator==(const Waypoint& other) const {
            return pathId == other.pathId && column == other.column && row == other.row;
        }
    };
    // Each path start line opens a path; its #DEF_WAYPOINT lines follow.
    using Path = std::vector<Waypoint>;
    // The codes and paths in the order of their lines: a code (its index in
    // `codes`) or a path (in `paths`).
    struct Item {
        bool isPath = false;
        size_t index = 0;
    };

    // The header's lines, where there are some (the last, where repeated).
    std::optional<int32_t> level;
    std::optional<int32_t> respawn;
    std::optional<std::string> title;
    tmx::TmxLocation levelAt{};
    tmx::TmxLocation respawnAt{};
    tmx::TmxLocation titleAt{};

    std::vector<Block> blocks;  // by id, each once
    std::vector<Placement> placements;
    std::vector<Code> codes;
    std::vector<Path> paths;
    std::vector<Item> order;

    // The block defined under `id`, or nullptr.
    const Block* FindBlock(int32_t id) const {
        const auto at =
            std::lower_bound(blocks.begin(), blocks.end(), id,
                             [](const Block& block, int32_t key) { return block.id < key; });
        return at != blocks.end() && at->id == id ? &*at : nullptr;
    }
    // The block under `id`, made empty where there is none yet.
    Block& EditBlock(int32_t id) {
        auto at = std::lower_bound(blocks.begin(), blocks.end(), id,
                                   [](const Block& block, int32_t key) { return block.id < key; });
        if (at == blocks.end() || at->id != id) at = blocks.insert(at, Block{id, {}, {}});
        return *at;
    }

    void AddCode(Code code) {
        order.push_back({false, codes.size()});
        codes.push_back(code);
    }
    Path& StartPath() {
        order.push_back({true, paths.size()});
        return paths.emplace_back();
    }
};
