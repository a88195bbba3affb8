#include <algorithm>
#include <array>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "converter/exports/Exports.h"
#include "converter/exports/LayerPath.h"
#include "converter/game/TileCodes.h"
#include "converter/game/ZoneGeometry.h"

namespace {

constexpr size_t kIdsNamed = 8;

using TileGrid = std::array<int16_t, kZoneCells * kZoneCells>;
// For each cell, the index of the last layer that covered it; -1 for none.
using OwnerGrid = std::array<int32_t, kZoneCells * kZoneCells>;

// Whether a code reaches the zone script: codes above 255 become 0 in a block.
constexpr bool IsGround(int16_t code) {
    return code > 0 && code <= kMaxGroundCode;
}

// What laying one layer did besides filling the grid.
struct LayerTally {
    int64_t tilesOutside = 0;
    int64_t tilesWithoutCode = 0;
    // Tileset index, local id, and whether the tile was turned 120 degrees.
    std::set<std::tuple<int32_t, int32_t, bool>> idsWithoutCode;
    std::vector<int32_t> groundTilesets;   // of its tiles with ground, in order met
    std::vector<Cell> firstCodelessCells;  // the first kIdsNamed, in the order visited
    int64_t cellsBlanked = 0;              // held ground before, hold none now
    std::vector<Cell> firstBlankedCells;   // the first kIdsNamed, row by row
    int64_t groundAfter = 0;               // cells of the zone with ground once it is laid
};

// A tile without ground, as a designer knows it. A tile turned 120 degrees on
// a hexagonal map carries a bit the game reads as part of its id: it is named
// as the tile without the bit.
std::tuple<int32_t, int32_t, bool> CodelessId(const tmx::TmxLayer& layer, uint32_t gid) {
    const bool turned = (gid & tmx::kRotatedHexagonal120) != 0;
    const tmx::TmxCell cell = layer.CellFromGid(turned ? gid & ~tmx::kRotatedHexagonal120 : gid);
    return {cell.tilesetIndex, cell.localId, turned};
}

// What a global tile id gives a layer, found once and remembered: a layer
// holds few distinct ids, met again and again in any order. Direct-mapped;
// an id that finds its slot taken is worked out again.
class IdMemo {
  public:
    struct Entry {
        uint32_t gid = 0;
        bool known = false;
        bool codeless = false;  // a tile, but no ground
        int16_t code = 0;
    };
    // By the id's top bits once multiplied: ids that differ in a flip flag
    // alone fall apart.
    Entry& SlotOf(uint32_t gid) { return entries_[(gid * 2654435761u) >> 24]; }

  private:
    static constexpr uint32_t kSlots = 256;
    std::array<Entry, kSlots> entries_{};
};

// Lays one layer, the `index`th, onto the grid: it covers the cells of its
// chunks inside the grid, empty ones included. Only the first `cells` cells
// (whole rows) can be covered by any layer.
LayerTally LayLayer(const tmx::TmxLayer& layer, int32_t index, size_t cells, TileGrid& grid,
                    OwnerGrid& owner) {
    LayerTally tally;
    TileGrid before;
    std::copy_n(grid.begin(), cells, before.begin());
    // Cells the data did not reach hold id 0.
    const int16_t unreachedCode = TileCodeFromId(0);
    IdMemo memo;
    // Ground comes in runs of one tile: a cell repeating the id before it
    // repeats what it gives.
    const IdMemo::Entry* last = nullptr;
    int64_t tilesWithoutCode = 0;
    layer.VisitRows(
        {0, 0, kZoneCells, kZoneCells},
        [&](int32_t y, int32_t x0, int32_t x1, const auto* gids, int32_t reached) {
            int16_t* codes = grid.data() + static_cast<size_t>(y) * kZoneCells;
            int32_t* owners = owner.data() + static_cast<size_t>(y) * kZoneCells;
            for (int32_t x = x0; x < reached; ++x) {
                const uint32_t gid = gids[x - x0];
                if (last == nullptr || gid != last->gid) {
                    IdMemo::Entry& id = memo.SlotOf(gid);
                    if (!id.known || id.gid != gid) [[unlikely]] {
                        // Met first (or again, its slot taken meanwhile): what
                        // it gives, and what the findings keep of it, kept once.
                        const tmx::TmxCell cell = layer.CellFromGid(gid);
                        const int16_t given = TileCodeFromId(cell.localId);
                        id = {gid, true, (gid & tmx::kTileIdMask) != 0 && !IsGround(given), given};
                        if (id.codeless) tally.idsWithoutCode.insert(CodelessId(layer, gid));
                        auto& seen = tally.groundTilesets;
                        if (IsGround(id.code) &&
                            std::find(seen.begin(), seen.end(), cell.tilesetIndex) == seen.end()) {
                            seen.push_back(cell.tilesetIndex);
                        }
                    }
                    last = &id;
                }
                if (last->codeless) [[unlikely]] {
                    ++tilesWithoutCode;
                    if (tally.firstCodelessCells.size() < kIdsNamed) {
                        tally.firstCodelessCells.push_back({x, y});
                    }
                }
                codes[x] = last->code;
            }
            std::fill(codes + reached, codes + x1, unreachedCode);
            std::fill(owners + x0, owners + x1, index);
        },
        &tally.tilesOutside);
    tally.tilesWithoutCode = tilesWithoutCode;
    // What the layer blanked: ground before, none now. (Codes 1 to 255 less
    // one are below 255 unsigned; counted in 32 bits, which vectorizes.)
    uint32_t blanked = 0;
    uint32_t ground = 0;
    for (size_t i = 0; i < cells; ++i) {
        const uint32_t isGround = static_cast<uint16_t>(grid[i] - 1) < 255;
        blanked +=
            static_cast<uint32_t>(static_cast<uint16_t>(before[i] - 1) < 255) & (isGround ^ 1);
        ground += isGround;
    }
    tally.cellsBlanked = blanked;
    tally.groundAfter = ground;
    for (size_t i = 0; blanked > 0 && i < cells; ++i) {
        if (IsGround(before[i]) && !IsGround(grid[i])) {
            tally.firstBlankedCells.push_back(
                {static_cast<int64_t>(i % kZoneCells), static_cast<int64_t>(i / kZoneCells)});
            if (tally.firstBlankedCells.size() == kIdsNamed) break;
        }
    }
    return tally;
}

// The rows of the zone that any layer's chunks reach: below them the grid
// stays empty and is not looked at.
int32_t RowsReached(const tmx::TmxMap& map) {
    int64_t rows = 0;
    for (const tmx::TmxLayer& layer : map.layers()) {
        for (const tmx::TmxChunk& chunk : layer.chunks()) {
            const int64_t right = int64_t{chunk.x} + chunk.width;
            const int64_t bottom = std::min<int64_t>(int64_t{chunk.y} + chunk.height, kZoneCells);
            if (chunk.x < kZoneCells && right > 0 && chunk.y < kZoneCells && bottom > 0 &&
                chunk.width > 0 && chunk.height > 0) {
                rows = std::max(rows, bottom);
            }
        }
    }
    return static_cast<int32_t>(rows);
}

template <class Kind>
Finding LayerFinding(const tmx::TmxLayer& layer, Kind what) {
    return FindingOf(
        std::move(what), layer.location(),
        {FindingSubject::Element::Layer, LayerPath(layer.map(), layer.orderIndex(), layer.name()),
         0, "", layer.id(), layer.orderIndex()});
}

// A tileset as a designer knows it: its name, or the file it is kept in.
std::string TilesetName(const tmx::TmxMap& map, int32_t index) {
    if (index < 0 || static_cast<size_t>(index) >= map.tilesets().size()) return "";
    const tmx::TmxTileset& tileset = map.tilesets()[static_cast<size_t>(index)];
    return tileset.name().empty() ? tileset.source() : tileset.name();
}

// Every tile layer in map order; a later layer overwrites an earlier one in
// every cell it covers. Findings of each layer: tiles-outside-zone,
// tile-without-code, tilesets-share-codes (a note), layer-blanks-tiles,
// hidden-layer (a note, where it decides cells of the zone: is the last to
// cover them), layer-offset; of the map: empty-zone.
void FillGrid(const tmx::TmxMap& map, size_t cells, TileGrid& grid, OwnerGrid& owner,
              Findings& findings) {
    std::fill_n(owner.begin(), cells, -1);
    // Hidden-layer notes (the finding's index, the layer's), kept only where
    // the layer decides cells.
    std::vector<std::pair<size_t, int32_t>> hiddenNotes;
    std::string blankedLastGround;
    int64_t ground = 0;
    int32_t index = 0;
    for (const tmx::TmxLayer& layer : map.layers()) {
        const LayerTally tally = LayLayer(layer, index, cells, grid, owner);
        if (tally.tilesOutside > 0) {
            findings.push_back(LayerFinding(layer, finding::TilesOutsideZone{tally.tilesOutside}));
        }
        if (tally.tilesWithoutCode > 0) {
            // A hostile layer may have thousands of such ids; the first few say it.
            finding::TileWithoutCode codeless{tally.tilesWithoutCode,
                                              static_cast<int64_t>(tally.idsWithoutCode.size()),
                                              {},
                                              tally.firstCodelessCells};
            for (auto id = tally.idsWithoutCode.begin();
                 id != tally.idsWithoutCode.end() && codeless.firstIds.size() < kIdsNamed; ++id) {
                const auto& [tileset, localId, turned] = *id;
                codeless.firstIds.push_back({TilesetName(map, tileset), localId, turned});
            }
            findings.push_back(LayerFinding(layer, std::move(codeless)));
        }
        if (tally.groundTilesets.size() > 1) {
            finding::TilesetsShareCodes shared{static_cast<int64_t>(tally.groundTilesets.size()),
                                               {}};
            for (size_t i = 0; i < tally.groundTilesets.size() && i < kIdsNamed; ++i)
                shared.firstTilesets.push_back(TilesetName(map, tally.groundTilesets[i]));
            findings.push_back(LayerFinding(layer, std::move(shared)));
        }
        if (tally.cellsBlanked > 0) {
            findings.push_back(LayerFinding(
                layer, finding::LayerBlanksTiles{tally.cellsBlanked, tally.firstBlankedCells}));
        }
        if (!layer.visible()) {
            hiddenNotes.emplace_back(findings.size(), index);
            findings.push_back(LayerFinding(layer, finding::HiddenLayer{}));
        }
        if (layer.offsetX() != 0 || layer.offsetY() != 0) {
            findings.push_back(
                LayerFinding(layer, finding::LayerOffset{layer.offsetX(), layer.offsetY()}));
        }
        if (ground > 0 && tally.groundAfter == 0) {
            blankedLastGround = LayerPath(map, layer.orderIndex(), layer.name());
        }
        ground = tally.groundAfter;
        ++index;
    }

    // A hidden layer that covers no cell, or whose every cell a later layer
    // covers again, changes nothing.
    if (!hiddenNotes.empty()) {
        std::vector<bool> decides(map.layers().size(), false);
        for (size_t i = 0; i < cells; ++i) {
            if (owner[i] >= 0) decides[static_cast<size_t>(owner[i])] = true;
        }
        for (auto note = hiddenNotes.rbegin(); note != hiddenNotes.rend(); ++note) {
            if (!decides[static_cast<size_t>(note->second)]) {
                findings.erase(findings.begin() + static_cast<ptrdiff_t>(note->first));
            }
        }
    }

    if (!map.layers().empty() && ground == 0) {
        findings.push_back(FindingOf(finding::EmptyZone{blankedLastGround}, map.location()));
    }
}

// The block at a cell origin; cells past the grid's edge and codes outside 0
// to 255 are 0. Whether it holds any ground.
bool FormBlock(const TileGrid& grid, int32_t xOrigin, int32_t yOrigin, Zone::BlockCodes& codes) {
    codes = {};
    const int32_t width = std::min(kBlockCells, kZoneCells - xOrigin);
    const int32_t height = std::min(kBlockCells, kZoneCells - yOrigin);
    uint32_t any = 0;
    for (int32_t dy = 0; dy < height; ++dy) {
        const int16_t* from =
            grid.data() + static_cast<size_t>((yOrigin + dy) * kZoneCells + xOrigin);
        auto& row = codes[static_cast<size_t>(dy)];
        for (int32_t dx = 0; dx < width; ++dx) {
            // Below 0 reads as 32768 and up.
            const auto code = static_cast<uint16_t>(from[dx]);
            const uint8_t byte = code <= kMaxGroundCode ? static_cast<uint8_t>(code) : 0;
            row[static_cast<size_t>(dx)] = byte;
            any |= byte;
        }
    }
    return any != 0;
}

// ground-unknown: the cells whose code the table does not list, at the layer
// that decided each.
void CheckGroundTable(const tmx::TmxMap& map, size_t cells, const TileGrid& grid,
                      const OwnerGrid& owner, const GroundTable& table, Findings& findings) {
    struct Unknown {
        std::array<int64_t, kMaxGroundCode + 1> cells{};
        finding::GroundUnknown finding;
    };
    std::vector<Unknown> layers(map.layers().size());
    for (size_t i = 0; i < cells; ++i) {
        const int16_t code = grid[i];
        if (!IsGround(code) || table.Of(code) != nullptr) continue;
        Unknown& unknown = layers[static_cast<size_t>(owner[i])];
        ++unknown.cells[static_cast<size_t>(code)];
        if (unknown.finding.firstCells.size() < kIdsNamed) {
            unknown.finding.firstCells.push_back(
                {static_cast<int32_t>(i % kZoneCells), static_cast<int32_t>(i / kZoneCells)});
        }
        ++unknown.finding.cells;
    }
    for (size_t index = 0; index < layers.size(); ++index) {
        finding::GroundUnknown& unknown = layers[index].finding;
        if (unknown.cells == 0) continue;
        unknown.table = table.file();
        for (int32_t code = 1; code <= kMaxGroundCode; ++code) {
            const int64_t cells = layers[index].cells[static_cast<size_t>(code)];
            if (cells == 0) continue;
            ++unknown.codes;
            if (unknown.firstCodes.size() < kIdsNamed) unknown.firstCodes.push_back({code, cells});
        }
        findings.push_back(LayerFinding(map.layers()[index], std::move(unknown)));
    }
}

}  // namespace

void ExportTileLayers(const tmx::TmxMap& map, Zone& zone, Findings& findings,
                      const GroundTable* table) {
    // Only the rows the layers reach are laid, and the blocks they start
    // read: a small map touches a few pages of the grids, not all of them.
    TileGrid grid;
    OwnerGrid owner;
    const int32_t rows = RowsReached(map);
    const size_t cells = static_cast<size_t>(rows) * kZoneCells;
    const int32_t blockRows =
        std::min(kZoneCells, (rows + kBlockCells - 1) / kBlockCells * kBlockCells);
    std::fill_n(grid.begin(), static_cast<size_t>(blockRows) * kZoneCells, int16_t{0});
    FillGrid(map, cells, grid, owner, findings);
    if (table != nullptr) CheckGroundTable(map, cells, grid, owner, *table, findings);
    // The ground is laid out as if the map were orthogonal.
    if (!map.orientationName().empty() && map.orientationName() != "orthogonal") {
        findings.push_back(FindingOf(finding::Orientation{map.orientationName()}, map.location()));
    }

    // Every block with a tile in it is defined and placed under its own id,
    // repeated blocks included, so that no tile of the map is left out. The
    // game reads a placement at twice the block's cell origin.
    int32_t nextId = kFirstBlockId;
    for (int32_t yOrigin = 0; yOrigin < rows; yOrigin += kBlockCells) {
        for (int32_t xOrigin = 0; xOrigin < kZoneCells; xOrigin += kBlockCells) {
            Zone::Block block{nextId, {}, {}};
            if (!FormBlock(grid, xOrigin, yOrigin, block.codes)) continue;
            zone.blocks.push_back(block);
            zone.placements.push_back({nextId++, xOrigin * 2, yOrigin * 2, {}});
        }
    }
}
