#include "converter/zone/ZoneWalk.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <utility>

#include "converter/findings/Words.h"
#include "converter/game/Objects.h"
#include "converter/zone/ZoneGround.h"

namespace {

constexpr size_t IndexOf(int64_t column, int64_t row) {
    return static_cast<size_t>(row) * kZoneCells + static_cast<size_t>(column);
}

}  // namespace

ZoneWalk::ZoneWalk(const Zone& zone, const GroundTable& table, Moves moves)
    : moves_(moves),
      codes_(size_t{kZoneCells} * kZoneCells),
      walkable_(codes_.size()),
      area_(codes_.size(), -1) {
    const ZoneGround ground(zone);
    // Whether each code is walkable, once.
    bool walks[256] = {};
    for (int32_t code = 1; code < 256; ++code) {
        const GroundKind* kind = table.Of(code);
        walks[code] = kind != nullptr && kind->walkable.value_or(false);
    }
    for (int32_t row = 0; row < kZoneCells; ++row) {
        for (int32_t column = 0; column < kZoneCells; ++column) {
            const auto code = static_cast<uint8_t>(ground.At(column, row));
            codes_[IndexOf(column, row)] = code;
            walkable_[IndexOf(column, row)] = walks[code];
            walkableCells_ += walks[code];
        }
    }
    // The areas: each walkable cell not yet in one starts one, filled breadth
    // first under the rule of the moves.
    static constexpr int kSteps[8][2] = {{1, 0}, {-1, 0}, {0, 1},  {0, -1},
                                         {1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
    const int steps = moves == Moves::Eight ? 8 : 4;
    std::vector<size_t> queue;
    queue.reserve(codes_.size());
    for (size_t start = 0; start < codes_.size(); ++start) {
        if (!walkable_[start] || area_[start] >= 0) continue;
        const auto area = static_cast<int32_t>(areaCells_.size());
        area_[start] = area;
        queue.assign(1, start);
        for (size_t next = 0; next < queue.size(); ++next) {
            const auto column = static_cast<int32_t>(queue[next] % kZoneCells);
            const auto row = static_cast<int32_t>(queue[next] / kZoneCells);
            for (int step = 0; step < steps; ++step) {
                const int32_t c = column + kSteps[step][0];
                const int32_t r = row + kSteps[step][1];
                if (!InZone(c, r)) continue;
                const size_t at = IndexOf(c, r);
                if (!walkable_[at] || area_[at] >= 0) continue;
                area_[at] = area;
                queue.push_back(at);
            }
        }
        areaCells_.push_back(static_cast<int64_t>(queue.size()));
        areaFirst_.push_back(
            {static_cast<int64_t>(start % kZoneCells), static_cast<int64_t>(start / kZoneCells)});
    }
    areaReached_.assign(areaCells_.size(), 0);
    for (const Zone::Code& code : zone.codes) {
        if (code.marker != kEntryMarker) continue;
        hasEntries_ = true;
        if (Walkable(code.column, code.row)) {
            areaReached_[static_cast<size_t>(area_[IndexOf(code.column, code.row)])] = 1;
        }
    }
    for (size_t area = 0; area < areaCells_.size(); ++area)
        if (areaReached_[area]) reachedCells_ += areaCells_[area];
}

bool ZoneWalk::Walkable(int64_t column, int64_t row) const {
    return InZone(column, row) && walkable_[IndexOf(column, row)];
}

bool ZoneWalk::Reached(int64_t column, int64_t row) const {
    return Walkable(column, row) &&
           areaReached_[static_cast<size_t>(area_[IndexOf(column, row)])] != 0;
}

int64_t ZoneWalk::AreaCells(int64_t column, int64_t row) const {
    return Walkable(column, row) ? areaCells_[static_cast<size_t>(area_[IndexOf(column, row)])] : 0;
}

int32_t ZoneWalk::code(int64_t column, int64_t row) const {
    return InZone(column, row) ? codes_[IndexOf(column, row)] : 0;
}

std::vector<ZoneWalk::Area> ZoneWalk::CutOff() const {
    std::vector<Area> areas;
    for (size_t area = 0; area < areaCells_.size(); ++area)
        if (!areaReached_[area]) areas.push_back({areaCells_[area], areaFirst_[area]});
    std::stable_sort(areas.begin(), areas.end(),
                     [](const Area& a, const Area& b) { return a.cells > b.cells; });
    return areas;
}

namespace {

// What the findings call a marker: "entry", "mob 245 "Goblin Shaman"".
std::string MarkerWords(const Zone::Code& code, const GameTables& tables) {
    return code.marker == kMobMarker ? MobWords(code.number, &tables)
                                     : kMarkerNames[MarkerRank(code.marker)];
}

std::string GroundWords(int32_t code, const GameTables& tables) {
    return code == 0 ? "" : CodeWords(code, &tables);
}

// A finding about a map's object by its id (a zone script's line has none).
FindingSubject SubjectOf(int32_t objectId) {
    return objectId != 0 ? FindingSubject{FindingSubject::Element::Object, "", objectId, "", 0}
                         : FindingSubject{FindingSubject::Element::ZoneLine, "", 0, "", 0};
}

}  // namespace

Findings WalkFindings(const Zone& zone, const ZoneWalk& walk, const GameTables& tables,
                      tmx::TmxLocation mapAt) {
    Findings findings;
    int64_t markers = 0;
    for (const Zone::Code& code : zone.codes) {
        if (!InZone(code.column, code.row)) continue;
        ++markers;
        const Cell cell{code.column, code.row};
        if (!walk.Walkable(code.column, code.row)) {
            findings.push_back(FindingOf(
                finding::MarkerBlocked{MarkerWords(code, tables), cell,
                                       GroundWords(walk.code(code.column, code.row), tables)},
                code.at, SubjectOf(code.objectId)));
        } else if (code.marker != kEntryMarker && walk.hasEntries() &&
                   !walk.Reached(code.column, code.row)) {
            findings.push_back(
                FindingOf(finding::Unreachable{MarkerWords(code, tables), cell,
                                               walk.AreaCells(code.column, code.row), 0},
                          code.at, SubjectOf(code.objectId)));
        }
    }
    for (const Zone::Path& path : zone.paths) {
        if (path.empty()) continue;
        const Zone::Waypoint& start = path.front();
        if (walk.hasEntries() && walk.Walkable(start.column, start.row) &&
            !walk.Reached(start.column, start.row)) {
            findings.push_back(FindingOf(
                finding::Unreachable{"path " + std::to_string(start.pathId) + "'s first point",
                                     {start.column, start.row},
                                     walk.AreaCells(start.column, start.row),
                                     0},
                start.at, SubjectOf(start.objectId)));
        }
        // The first step that passes through ground no one walks on.
        for (size_t i = 1; i < path.size(); ++i) {
            const Cell from{path[i - 1].column, path[i - 1].row};
            const Cell to{path[i].column, path[i].row};
            if (!InZone(from.column, from.row) || !InZone(to.column, to.row)) continue;
            std::optional<Cell> blocked;
            StepCells(
                from, to,
                [&](Cell cell) {
                    if (walk.Walkable(cell.column, cell.row)) return true;
                    blocked = cell;
                    return false;
                },
                [&](Cell beside, Cell below) {
                    if (walk.moves() == Moves::Eight || walk.Walkable(beside.column, beside.row) ||
                        walk.Walkable(below.column, below.row)) {
                        return true;
                    }
                    blocked = beside;
                    return false;
                });
            if (!blocked) continue;
            findings.push_back(FindingOf(
                finding::PathBlocked{start.pathId, static_cast<int64_t>(i), from, to, *blocked,
                                     GroundWords(walk.code(blocked->column, blocked->row), tables)},
                start.at, SubjectOf(start.objectId)));
            break;
        }
    }
    if (!walk.hasEntries() && markers > 0) {
        findings.push_back(
            FindingOf(finding::Unreachable{"", {}, 0, markers}, mapAt, FindingSubject{}));
    }
    return findings;
}

Findings WalkFindings(const Zone& zone, const GameTables& tables, tmx::TmxLocation mapAt) {
    if (!tables.saysWalkable()) return {};
    return WalkFindings(zone, ZoneWalk(zone, *tables.ground, tables.moves), tables, mapAt);
}
