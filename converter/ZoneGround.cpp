#include "ZoneGround.h"

ZoneGround::ZoneGround(const ZoneContent& zone) : codes_(size_t{kZoneCells} * kZoneCells) {
    for (const ZoneContent::Placement& placement : zone.placements) {
        const auto block = zone.blocks.find(placement.blockId);
        if (block == zone.blocks.end()) continue;
        const int32_t column0 = placement.x / 2;
        const int32_t row0 = placement.y / 2;
        for (int32_t dy = 0; dy < kBlockCells; ++dy) {
            for (int32_t dx = 0; dx < kBlockCells; ++dx) {
                if (!InZone(column0 + dx, row0 + dy)) continue;
                const int32_t code =
                    block->second[static_cast<size_t>(dy)][static_cast<size_t>(dx)];
                codes_[static_cast<size_t>(row0 + dy) * kZoneCells +
                       static_cast<size_t>(column0 + dx)] =
                    static_cast<uint8_t>(code >= 0 && code <= kMaxGroundCode ? code : 0);
            }
        }
    }
}
