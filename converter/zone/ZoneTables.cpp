#include "converter/zone/ZoneTables.h"

#include <array>
#include <iterator>
#include <utility>

#include "converter/game/Objects.h"
#include "converter/zone/ZoneWalk.h"

namespace {

// How many codes and cells a finding names, and listed mobs it offers.
constexpr size_t kNamed = 8;
constexpr size_t kNearestMobs = 3;

const FindingSubject kZoneLine{FindingSubject::Element::ZoneLine, "", 0, "", 0};

void CheckGround(const Zone& zone, const GroundTable& table, Findings& findings) {
    for (const Zone::Placement& placement : zone.placements) {
        const Zone::Block* block = zone.FindBlock(placement.blockId);
        if (block == nullptr) continue;  // the reader says so
        const Cell origin{placement.x / 2, placement.y / 2};
        finding::GroundUnknown unknown;
        std::array<int64_t, 256> cells{};
        for (int32_t row = 0; row < kBlockCells; ++row) {
            for (int32_t column = 0; column < kBlockCells; ++column) {
                const int32_t code = block->codes[row][column];
                const Cell cell{origin.column + column, origin.row + row};
                // Cells past the zone's edge the game drops.
                if (code == 0 || table.Of(code) != nullptr || !InZone(cell.column, cell.row)) {
                    continue;
                }
                ++cells[static_cast<size_t>(code)];
                ++unknown.cells;
                if (unknown.firstCells.size() < kNamed) {
                    unknown.firstCells.push_back(cell);
                }
            }
        }
        if (unknown.cells == 0) continue;
        for (int32_t code = 1; code < 256; ++code) {
            if (cells[static_cast<size_t>(code)] == 0) continue;
            ++unknown.codes;
            if (unknown.firstCodes.size() < kNamed) {
                unknown.firstCodes.push_back({code, cells[static_cast<size_t>(code)]});
            }
        }
        unknown.table = table.file();
        unknown.block = origin;
        findings.push_back(FindingOf(std::move(unknown), placement.at, kZoneLine));
    }
}

}  // namespace

Findings TableFindings(const Zone& zone, const GameTables& tables) {
    Findings findings;
    if (tables.ground) CheckGround(zone, *tables.ground, findings);
    if (tables.mobs) {
        for (const Zone::Code& code : zone.codes) {
            if (code.marker != kMobMarker || tables.mobs->NameOf(code.number) != nullptr) continue;
            findings.push_back(
                FindingOf(finding::MobUnknown{code.number, tables.mobs->file(),
                                              tables.mobs->Nearest(code.number, kNearestMobs)},
                          code.at, kZoneLine));
        }
    }
    Findings walk = WalkFindings(zone, tables);
    findings.insert(findings.end(), std::make_move_iterator(walk.begin()),
                    std::make_move_iterator(walk.end()));
    return findings;
}
