#include "tmx/model/TmxLayer.h"

#include <algorithm>
#include <optional>
#include <type_traits>

#include "tmx/model/TmxMap.h"

namespace tmx {
namespace {

constexpr uint32_t kFlipHorizontal = 0x80000000u;
constexpr uint32_t kFlipVertical = 0x40000000u;
constexpr uint32_t kFlipDiagonal = 0x20000000u;

// Outside any grid: no tileset, no tile.
constexpr TmxCell kNoCell{-1, 0, false, false, false};
// Inside the grid where the data did not reach.
constexpr TmxCell kUnreachedCell{};

}  // namespace

TmxLayer::TmxLayer(const TmxMap& map, std::shared_ptr<const TmxTilesetLookup> tilesets,
                   int64_t cellBudget)
    : TmxLayerAttributes(map), tilesets_(std::move(tilesets)), cellBudget_(cellBudget) {}

// The grid's byte count must fit in 32 bits, as the compressed paths count in
// 32 bits, and within the map's budget; any other size gives no cells.
TmxChunk* TmxLayer::AddChunk(int32_t x, int32_t y, int32_t width, int32_t height) {
    const int64_t cellCount = int64_t{width} * height;
    if (width <= 0 || height <= 0) return nullptr;
    if (cellCount > int64_t{UINT32_MAX} / 4 || cellCount > cellBudget_) {
        NoteProblem({TmxLayerDataProblem::Kind::TooLarge, "", width, height});
        return nullptr;
    }
    cellBudget_ -= cellCount;
    return &chunks_.emplace_back(TmxChunk{x, y, width, height, {}});
}

void TmxLayer::NoteProblem(TmxLayerDataProblem problem) {
    if (!dataProblem_) dataProblem_ = std::move(problem);
}

int64_t TmxLayer::cellCount() const {
    int64_t count = 0;
    for (const TmxChunk& chunk : chunks_)
        count += chunk.CellCount();
    return count;
}

TmxCell TmxLayer::TileAt(int32_t x, int32_t y) const {
    TmxCell cell = kNoCell;
    VisitCells({x, y, int64_t{x} + 1, int64_t{y} + 1}, [&](int32_t, int32_t, const uint32_t* gid) {
        cell = gid != nullptr ? CellFromGid(*gid) : kUnreachedCell;
    });
    return cell;
}

namespace {

// How many of `gids` hold a tile; 32-bit counts of one row vectorize best.
template <class Gid>
int64_t TilesIn(const Gid* gids, size_t count) {
    uint32_t tiles = 0;
    for (size_t i = 0; i < count; ++i) {
        if constexpr (std::is_same_v<Gid, TmxNarrowGid>) {
            tiles += (gids[i].bits & TmxNarrowGid::kNumber) != 0;
        } else {
            tiles += (gids[i] & kTileIdMask) != 0;
        }
    }
    return tiles;
}

}  // namespace

int64_t TmxChunk::TilesOutside(int64_t x0, int64_t y0, int64_t x1, int64_t y1) const {
    // Row by row through what the data held: the parts left and right of the
    // area, and whole rows above or below it.
    int64_t outside = 0;
    const auto rowLength = static_cast<size_t>(width);
    const size_t size = gids.size();
    gids.WithIds([&](const auto* ids) {
        for (size_t start = 0; start < size; start += rowLength) {
            const auto* row = ids + start;
            const size_t count = std::min(rowLength, size - start);
            const int64_t y = this->y + static_cast<int64_t>(start / rowLength);
            if (y < y0 || y >= y1 || x1 <= x0) {
                outside += TilesIn(row, count);
                continue;
            }
            const auto left = static_cast<size_t>(x0 - x);
            const auto right = static_cast<size_t>(x1 - x);
            outside += TilesIn(row, std::min(left, count));
            if (count > right) outside += TilesIn(row + right, count - right);
        }
    });
    return outside;
}

TmxCell TmxLayer::CellFromGid(uint32_t gid) const {
    TmxCell cell;
    cell.flipHorizontal = (gid & kFlipHorizontal) != 0;
    cell.flipVertical = (gid & kFlipVertical) != 0;
    cell.flipDiagonal = (gid & kFlipDiagonal) != 0;
    const auto id = static_cast<int32_t>(gid & kTileIdMask);
    const TmxTilesetLookup::Owner owner = tilesets_->OwnerOf(id);
    cell.tilesetIndex = owner.index;
    // A negative firstGid may push the difference past 32 bits: it wraps.
    cell.localId = owner.index >= 0 ? static_cast<int32_t>(static_cast<uint32_t>(id) -
                                                           static_cast<uint32_t>(owner.firstGid))
                                    : id;
    return cell;
}

}  // namespace tmx
