#pragma once

// The game's ground code of a tile, from its id within its tileset, and back.

#include <array>
#include <cstddef>
#include <cstdint>

// Ranges are checked from the top; ids 199 to 255 give codes above 255,
// which a block then writes as 0.
constexpr int16_t TileCodeFromId(int32_t localId) {
    constexpr struct {
        int32_t first;
        int32_t last;
        int32_t offset;
    } kRanges[] = {
        {104, 255, 57}, {100, 103, 45}, {84, 99, 44}, {72, 83, 40}, {70, 71, 26},
        {55, 69, 25},   {27, 54, 21},   {14, 26, 18}, {1, 13, 15},
    };
    for (const auto& range : kRanges) {
        if (localId >= range.first && localId <= range.last) {
            return static_cast<int16_t>(localId + range.offset);
        }
    }
    return 0;
}

// Local ids 1 to kLastGroundId give the ground codes, each its own.
constexpr int32_t kLastGroundId = 198;

// The local id whose code `code` is; 0 for code 0, -1 for a code no id gives
// (1 to 15, 29 to 31, 45 to 47, ...). Looked up in a table made once.
constexpr int32_t LocalIdOfCode(int32_t code) {
    constexpr auto kIds = [] {
        std::array<int16_t, 256> ids{};
        ids.fill(-1);
        ids[0] = 0;
        for (int32_t id = 1; id <= kLastGroundId; ++id)
            ids[static_cast<size_t>(TileCodeFromId(id))] = static_cast<int16_t>(id);
        return ids;
    }();
    return code >= 0 && code < 256 ? kIds[static_cast<size_t>(code)] : -1;
}
