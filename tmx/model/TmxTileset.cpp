#include "tmx/model/TmxTileset.h"

#include <algorithm>

namespace tmx {

void TmxTilesetLookup::Add(int32_t firstGid, int32_t index) {
    while (!candidates_.empty() && candidates_.back().firstGid >= firstGid)
        candidates_.pop_back();
    candidates_.push_back({index, firstGid});
}

TmxTilesetLookup::Owner TmxTilesetLookup::OwnerOf(int32_t gid) const {
    const auto above = std::upper_bound(
        candidates_.begin(), candidates_.end(), gid,
        [](int32_t id, const Owner& candidate) { return id < candidate.firstGid; });
    return above == candidates_.begin() ? Owner{-1, 0} : *(above - 1);
}

}  // namespace tmx
