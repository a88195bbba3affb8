#pragma once

// The shape of every zone the game loads, which the exports, the reader of
// zone scripts, the picture and the findings' words all share.

#include <cstdint>

// The ground: 128 x 128 cells, cut into blocks of 6 x 6 cells.
constexpr int32_t kZoneCells = 128;
constexpr int32_t kBlockCells = 6;
// Ground codes the game draws: 1 to kMaxGroundCode; 0 is none.
constexpr int32_t kMaxGroundCode = 255;
// Blocks are numbered from kFirstBlockId in the order they are placed; paths
// without a number of their own from kFirstPathId.
constexpr int32_t kFirstBlockId = 10001;
constexpr int32_t kFirstPathId = 10001;
// Objects are placed by their position in pixels, in cells of this size.
constexpr int32_t kCellPixels = 32;

// The cell of a position in pixels, rounding toward minus infinity, as the
// game counts: -1 is cell -1, -33 is cell -2.
constexpr int32_t CellOf(int64_t pixels) {
    const int64_t cell =
        pixels >= 0 ? pixels / kCellPixels : -((-pixels + kCellPixels - 1) / kCellPixels);
    return static_cast<int32_t>(cell);  // a position in 33 bits gives a cell in 28
}

constexpr bool InZone(int64_t column, int64_t row) {
    return column >= 0 && column < kZoneCells && row >= 0 && row < kZoneCells;
}
