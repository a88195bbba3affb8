#include "converter/exports/DecidingTiles.h"

#include "converter/game/ZoneGeometry.h"

std::vector<tmx::TmxCell> DecidingTiles(const tmx::TmxMap& map) {
    const tmx::TmxCell none{-1, 0};
    std::vector<tmx::TmxCell> cells(size_t{kZoneCells} * kZoneCells, none);
    for (const tmx::TmxLayer& layer : map.layers()) {
        layer.VisitCells({0, 0, kZoneCells, kZoneCells},
                         [&](int32_t x, int32_t y, const uint32_t* gid) {
                             const bool tile = gid != nullptr && (*gid & tmx::kTileIdMask) != 0;
                             cells[static_cast<size_t>(y) * kZoneCells + static_cast<size_t>(x)] =
                                 tile ? layer.CellFromGid(*gid) : none;
                         });
    }
    return cells;
}
