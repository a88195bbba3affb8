#include "converter/zone/ZoneGround.h"

ZoneGround::ZoneGround(const Zone& zone) : codes_(size_t{kZoneCells} * kZoneCells) {
    for (const Zone::Placement& placement : zone.placements) {
        const Zone::Block* block = zone.FindBlock(placement.blockId);
        if (block == nullptr) continue;
        const int32_t column0 = placement.x / 2;
        const int32_t row0 = placement.y / 2;
        for (int32_t dy = 0; dy < kBlockCells; ++dy) {
            for (int32_t dx = 0; dx < kBlockCells; ++dx) {
                if (!InZone(column0 + dx, row0 + dy)) continue;
                codes_[static_cast<size_t>(row0 + dy) * kZoneCells +
                       static_cast<size_t>(column0 + dx)] =
                    block->codes[static_cast<size_t>(dy)][static_cast<size_t>(dx)];
            }
        }
    }
}
