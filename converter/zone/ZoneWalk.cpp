#include "converter/zone/ZoneWalk.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <utility>

#include "converter/findings/Words.h"
#include "converter/game/Objects.h"

namespace {

constexpr size_t IndexOf(int64_t column, int64_t row) {
    return static_cast<size_t>(row) * kZoneCells + static_cast<size_t>(column);
}

// The areas are kept on a grid with a border of cells no one walks, so that
// a step is an offset and needs no test of the zone's edge.
constexpr int32_t kWide = kZoneCells + 2;
constexpr int32_t kNotWalkable = -2;
constexpr int32_t kInNoArea = -1;

constexpr size_t BorderedIndexOf(int64_t column, int64_t row) {
    return static_cast<size_t>(row + 1) * kWide + static_cast<size_t>(column + 1);
}

// Fills the area of the walkable cell at `first` (bordered) with `area`, a
// row's run of cells at a time: the cells of the rows above and below that
// the run reaches (one further each way under 8 moves) start runs of their
// own. How many cells the area holds.
template <int kMoves>
int64_t FillArea(std::vector<int32_t>& areas, std::vector<int32_t>& seeds, int32_t first,
                 int32_t area) {
    constexpr int32_t kReach = kMoves == 8 ? 1 : 0;
    int64_t cells = 0;
    seeds.assign(1, first);
    while (!seeds.empty()) {
        const int32_t seed = seeds.back();
        seeds.pop_back();
        if (areas[static_cast<size_t>(seed)] != kInNoArea) continue;
        int32_t left = seed;
        while (areas[static_cast<size_t>(left - 1)] == kInNoArea)
            --left;
        int32_t right = seed;
        while (areas[static_cast<size_t>(right + 1)] == kInNoArea)
            ++right;
        for (int32_t at = left; at <= right; ++at)
            areas[static_cast<size_t>(at)] = area;
        cells += right - left + 1;
        for (const int32_t beside : {-kWide, kWide}) {
            bool inRun = false;
            for (int32_t at = left - kReach + beside; at <= right + kReach + beside; ++at) {
                const bool open = areas[static_cast<size_t>(at)] == kInNoArea;
                if (open && !inRun) seeds.push_back(at);
                inRun = open;
            }
        }
    }
    return cells;
}

}  // namespace

ZoneWalk::ZoneWalk(const Zone& zone, const GroundTable& table, Moves moves)
    : moves_(moves),
      ground_(zone),
      walkable_(size_t{kZoneCells} * kZoneCells),
      area_(size_t{kWide} * kWide, kNotWalkable) {
    // Whether each code is walkable, once.
    bool walkingCodes[256] = {};
    for (int32_t code = 1; code < 256; ++code) {
        const GroundKind* kind = table.Of(code);
        walkingCodes[code] = kind != nullptr && kind->walkable.value_or(false);
    }
    // Through plain pointers: the compiler cannot tell that stores of bytes
    // leave the members alone, and would load them again every cell.
    uint8_t* const walkable = walkable_.data();
    int32_t* const areas = area_.data();
    int64_t walkableCells = 0;
    for (int32_t row = 0; row < kZoneCells; ++row) {
        for (int32_t column = 0; column < kZoneCells; ++column) {
            const bool walks = walkingCodes[ground_.At(column, row)];
            walkable[IndexOf(column, row)] = walks;
            areas[BorderedIndexOf(column, row)] = walks ? kInNoArea : kNotWalkable;
            walkableCells += walks;
        }
    }
    walkableCells_ = walkableCells;
    // The areas: each walkable cell not yet in one starts one, filled under
    // the rule of the moves.
    std::vector<int32_t> seeds;
    seeds.reserve(walkable_.size());
    for (int32_t row = 0; row < kZoneCells; ++row) {
        for (int32_t column = 0; column < kZoneCells; ++column) {
            const size_t first = BorderedIndexOf(column, row);
            if (areas[first] != kInNoArea) continue;
            const auto area = static_cast<int32_t>(areaCells_.size());
            areaCells_.push_back(
                moves == Moves::Eight
                    ? FillArea<8>(area_, seeds, static_cast<int32_t>(first), area)
                    : FillArea<4>(area_, seeds, static_cast<int32_t>(first), area));
            areaFirst_.push_back({column, row});
        }
    }
    areaReached_.assign(areaCells_.size(), 0);
    for (const Zone::Code& code : zone.codes) {
        if (code.marker != kEntryMarker) continue;
        hasEntries_ = true;
        if (Walkable(code.column, code.row)) {
            areaReached_[static_cast<size_t>(area_[BorderedIndexOf(code.column, code.row)])] = 1;
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
           areaReached_[static_cast<size_t>(area_[BorderedIndexOf(column, row)])] != 0;
}

int64_t ZoneWalk::AreaCells(int64_t column, int64_t row) const {
    return Walkable(column, row)
               ? areaCells_[static_cast<size_t>(area_[BorderedIndexOf(column, row)])]
               : 0;
}

int32_t ZoneWalk::code(int64_t column, int64_t row) const {
    return InZone(column, row) ? ground_.At(column, row) : 0;
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
