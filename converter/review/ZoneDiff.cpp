#include "converter/review/ZoneDiff.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <tuple>

#include "converter/game/Objects.h"
#include "converter/zone/ZoneGround.h"
#include "converter/zone/ZoneWalk.h"

namespace {

using Change = ZoneChanges::Change;

// Past this many candidate pairs, pairing takes a cheaper way: a map with
// thousands of equal markers all moved must not take minutes.
constexpr int64_t kMaxPairs = int64_t{1} << 20;

int64_t Distance2(Cell a, Cell b) {
    const int64_t dx = int64_t{a.column} - b.column;
    const int64_t dy = int64_t{a.row} - b.row;
    return dx * dx + dy * dy;
}

void DiffHeaderField(const char* field, const std::optional<std::string>& before,
                     const std::optional<std::string>& after, tmx::TmxLocation at,
                     ZoneChanges& changes) {
    if (before == after) return;
    const Change change = !before ? Change::Added : !after ? Change::Removed : Change::Changed;
    changes.header.push_back({field, change, before, after, after ? at : tmx::TmxLocation{}});
}

std::optional<std::string> Digits(const std::optional<int32_t>& number) {
    if (!number) return std::nullopt;
    return std::to_string(*number);
}

void DiffHeader(const Zone& before, const Zone& after, ZoneChanges& changes) {
    DiffHeaderField("level", Digits(before.level), Digits(after.level), after.levelAt, changes);
    DiffHeaderField("respawn", Digits(before.respawn), Digits(after.respawn), after.respawnAt,
                    changes);
    DiffHeaderField("title", before.title, after.title, after.titleAt, changes);
}

void DiffGround(const Zone& before, const Zone& after, ZoneChanges& changes) {
    const ZoneGround old(before);
    const ZoneGround now(after);
    if (old == now) return;
    for (int32_t row0 = 0; row0 < kZoneCells; row0 += kBlockCells) {
        for (int32_t column0 = 0; column0 < kZoneCells; column0 += kBlockCells) {
            ZoneChanges::Ground block{{column0, row0}, {}};
            for (int32_t row = row0; row < std::min(row0 + kBlockCells, kZoneCells); ++row) {
                for (int32_t column = column0; column < std::min(column0 + kBlockCells, kZoneCells);
                     ++column) {
                    if (old.At(column, row) != now.At(column, row)) {
                        block.cells.push_back(
                            {{column, row}, old.At(column, row), now.At(column, row)});
                    }
                }
            }
            if (!block.cells.empty()) changes.ground.push_back(std::move(block));
        }
    }
}

// Pairs the items of `old` and `now` (spots) that are left unpaired: equal
// spots first, then the nearest, closest pairs first. Calls pair(i, j) for
// each pair; returns nothing, the unpaired are those never named.
template <class Pair>
void PairCells(const std::vector<Cell>& old, const std::vector<Cell>& now, Pair pair) {
    std::vector<bool> oldPaired(old.size());
    std::vector<bool> nowPaired(now.size());
    // Equal spots, in the order of each side.
    std::multimap<Cell, size_t> waiting;
    for (size_t j = 0; j < now.size(); ++j)
        waiting.emplace(now[j], j);
    for (size_t i = 0; i < old.size(); ++i) {
        const auto match = waiting.find(old[i]);
        if (match == waiting.end()) continue;
        oldPaired[i] = nowPaired[match->second] = true;
        pair(i, match->second);
        waiting.erase(match);
    }
    std::vector<size_t> oldLeft;
    std::vector<size_t> nowLeft;
    for (size_t i = 0; i < old.size(); ++i)
        if (!oldPaired[i]) oldLeft.push_back(i);
    for (size_t j = 0; j < now.size(); ++j)
        if (!nowPaired[j]) nowLeft.push_back(j);
    if (oldLeft.empty() || nowLeft.empty()) return;
    if (static_cast<int64_t>(oldLeft.size()) * static_cast<int64_t>(nowLeft.size()) > kMaxPairs) {
        // Too many to weigh every pair: in the order of their spots.
        const auto byCell = [](const std::vector<Cell>& spots) {
            return [&spots](size_t a, size_t b) { return spots[a] < spots[b]; };
        };
        std::stable_sort(oldLeft.begin(), oldLeft.end(), byCell(old));
        std::stable_sort(nowLeft.begin(), nowLeft.end(), byCell(now));
        for (size_t k = 0; k < std::min(oldLeft.size(), nowLeft.size()); ++k)
            pair(oldLeft[k], nowLeft[k]);
        return;
    }
    std::vector<std::tuple<int64_t, size_t, size_t>> candidates;
    candidates.reserve(oldLeft.size() * nowLeft.size());
    for (const size_t i : oldLeft)
        for (const size_t j : nowLeft)
            candidates.emplace_back(Distance2(old[i], now[j]), i, j);
    std::sort(candidates.begin(), candidates.end());
    for (const auto& [distance, i, j] : candidates) {
        if (oldPaired[i] || nowPaired[j]) continue;
        oldPaired[i] = nowPaired[j] = true;
        pair(i, j);
    }
}

// Markers of one kind and number are paired among themselves.
void DiffMarkers(const Zone& before, const Zone& after, ZoneChanges& changes) {
    using Key = std::pair<int32_t, int32_t>;  // rank of the kind, mob number
    const auto keyOf = [](const Zone::Code& code) {
        return Key{MarkerRank(code.marker), code.marker == kMobMarker ? code.number : 0};
    };
    struct Sides {
        std::vector<const Zone::Code*> old, now;
    };
    std::map<Key, Sides> byKey;
    for (const Zone::Code& code : before.codes)
        byKey[keyOf(code)].old.push_back(&code);
    for (const Zone::Code& code : after.codes)
        byKey[keyOf(code)].now.push_back(&code);

    using Marker = ZoneChanges::Marker;
    for (const auto& kind : byKey) {
        const Sides& sides = kind.second;
        std::vector<Cell> old;
        std::vector<Cell> now;
        for (const auto* code : sides.old)
            old.push_back({code->column, code->row});
        for (const auto* code : sides.now)
            now.push_back({code->column, code->row});
        std::vector<bool> oldPaired(old.size());
        std::vector<bool> nowPaired(now.size());
        std::vector<Marker> found;
        const Zone::Code& any = sides.now.empty() ? *sides.old[0] : *sides.now[0];
        PairCells(old, now, [&](size_t i, size_t j) {
            oldPaired[i] = nowPaired[j] = true;
            if (old[i] != now[j]) {
                found.push_back(
                    {Change::Moved, any.marker, any.number, old[i], now[j], sides.now[j]->at});
            }
        });
        for (size_t i = 0; i < old.size(); ++i)
            if (!oldPaired[i])
                found.push_back({Change::Removed, any.marker, any.number, old[i], {}, {}});
        for (size_t j = 0; j < now.size(); ++j)
            if (!nowPaired[j])
                found.push_back(
                    {Change::Added, any.marker, any.number, {}, now[j], sides.now[j]->at});
        // Within a kind, by the place a reviewer looks: where it is, or was.
        const auto spotOf = [](const Marker& m) {
            return m.change == Change::Removed ? m.before : m.after;
        };
        std::stable_sort(found.begin(), found.end(),
                         [&](const Marker& a, const Marker& b) { return spotOf(a) < spotOf(b); });
        changes.markers.insert(changes.markers.end(), found.begin(), found.end());
    }
}

std::vector<Cell> CellsOf(const Zone::Path& path) {
    std::vector<Cell> spots;
    spots.reserve(path.size());
    for (const Zone::Waypoint& point : path)
        spots.push_back({point.column, point.row});
    return spots;
}

// The points of a path that changed: the longest run of points kept in
// order stays (after the common start and end are set aside); between kept
// points, old and new points pair up in order as moves, and the rest are
// added or removed.
std::vector<ZoneChanges::Point> DiffPoints(const std::vector<Cell>& old,
                                           const std::vector<Cell>& now) {
    using Point = ZoneChanges::Point;
    size_t head = 0;
    while (head < old.size() && head < now.size() && old[head] == now[head])
        ++head;
    size_t tail = 0;
    while (tail < old.size() - head && tail < now.size() - head &&
           old[old.size() - 1 - tail] == now[now.size() - 1 - tail]) {
        ++tail;
    }
    const size_t n = old.size() - head - tail;
    const size_t m = now.size() - head - tail;
    // The kept points of the middle, as pairs of indexes, by a longest
    // common subsequence where that is cheap enough; else none.
    std::vector<std::pair<size_t, size_t>> kept;
    if (n > 0 && m > 0 && static_cast<int64_t>(n) * static_cast<int64_t>(m) <= kMaxPairs) {
        std::vector<uint32_t> length((n + 1) * (m + 1));
        const auto at = [&](size_t i, size_t j) -> uint32_t& { return length[i * (m + 1) + j]; };
        for (size_t i = n; i-- > 0;)
            for (size_t j = m; j-- > 0;)
                at(i, j) = old[head + i] == now[head + j] ? at(i + 1, j + 1) + 1
                                                          : std::max(at(i + 1, j), at(i, j + 1));
        for (size_t i = 0, j = 0; i < n && j < m;) {
            if (old[head + i] == now[head + j]) {
                kept.emplace_back(head + i++, head + j++);
            } else if (at(i + 1, j) >= at(i, j + 1)) {
                ++i;
            } else {
                ++j;
            }
        }
    }
    kept.emplace_back(old.size() - tail, now.size() - tail);  // the common end
    std::vector<Point> changes;
    size_t i = head;
    size_t j = head;
    for (const auto& [keptOld, keptNow] : kept) {
        for (; i < keptOld && j < keptNow; ++i, ++j)
            changes.push_back({Change::Moved, static_cast<int32_t>(j + 1), old[i], now[j]});
        for (; j < keptNow; ++j)
            changes.push_back({Change::Added, static_cast<int32_t>(j + 1), {}, now[j]});
        for (; i < keptOld; ++i)
            changes.push_back({Change::Removed, static_cast<int32_t>(i + 1), old[i], {}});
        i = keptOld + 1;
        j = keptNow + 1;
    }
    return changes;
}

// Paths are paired by their points: the same points first (the same id
// before another), then by the most points in common, then by id; what is
// left is added or removed. A path with no points is none.
void DiffPaths(const Zone& before, const Zone& after, ZoneChanges& changes) {
    struct Side {
        const Zone::Path* path;
        std::vector<Cell> spots;
        bool paired = false;
    };
    const auto sideOf = [](const Zone& zone) {
        std::vector<Side> side;
        for (const auto& path : zone.paths)
            if (!path.empty()) side.push_back({&path, CellsOf(path)});
        return side;
    };
    std::vector<Side> old = sideOf(before);
    std::vector<Side> now = sideOf(after);
    using Path = ZoneChanges::Path;
    std::vector<std::pair<size_t, size_t>> pairs;  // old, new
    const auto pair = [&](size_t i, size_t j) {
        old[i].paired = now[j].paired = true;
        pairs.emplace_back(i, j);
    };
    const auto id = [](const Side& side) { return side.path->front().pathId; };
    // Each old path, in order, takes the first unpaired new one of the same key.
    const auto pairBy = [&](auto key) {
        std::map<decltype(key(now[0])), std::vector<size_t>> waiting;
        for (size_t j = now.size(); j-- > 0;)
            if (!now[j].paired) waiting[key(now[j])].push_back(j);
        for (size_t i = 0; i < old.size(); ++i) {
            if (old[i].paired) continue;
            const auto match = waiting.find(key(old[i]));
            if (match == waiting.end() || match->second.empty()) continue;
            pair(i, match->second.back());
            match->second.pop_back();
        }
    };
    if (!now.empty()) {
        pairBy([&](const Side& side) { return std::make_pair(side.spots, id(side)); });
        pairBy([](const Side& side) { return side.spots; });
    }
    // Points in common, counted once each, where that is cheap enough.
    int64_t oldPoints = 0, oldLeft = 0, nowPoints = 0, nowLeft = 0;
    for (const Side& side : old)
        if (!side.paired) oldPoints += static_cast<int64_t>(side.spots.size()), ++oldLeft;
    for (const Side& side : now)
        if (!side.paired) nowPoints += static_cast<int64_t>(side.spots.size()), ++nowLeft;
    if (oldPoints * nowLeft + nowPoints * oldLeft <= kMaxPairs) {
        const auto sorted = [](const Side& side) {
            std::vector<Cell> spots = side.spots;
            std::sort(spots.begin(), spots.end());
            return spots;
        };
        std::vector<std::vector<Cell>> nowSorted(now.size());
        for (size_t j = 0; j < now.size(); ++j)
            if (!now[j].paired) nowSorted[j] = sorted(now[j]);
        std::vector<std::tuple<int64_t, bool, size_t, size_t>> candidates;  // -shared, other id
        for (size_t i = 0; i < old.size(); ++i) {
            if (old[i].paired) continue;
            const std::vector<Cell> a = sorted(old[i]);
            for (size_t j = 0; j < now.size(); ++j) {
                if (now[j].paired) continue;
                const std::vector<Cell>& b = nowSorted[j];
                std::vector<Cell> shared;
                std::set_intersection(a.begin(), a.end(), b.begin(), b.end(),
                                      std::back_inserter(shared));
                if (!shared.empty()) {
                    candidates.emplace_back(-static_cast<int64_t>(shared.size()),
                                            id(old[i]) != id(now[j]), i, j);
                }
            }
        }
        std::sort(candidates.begin(), candidates.end());
        for (const auto& [shared, otherId, i, j] : candidates)
            if (!old[i].paired && !now[j].paired) pair(i, j);
    }
    if (!now.empty()) pairBy([&](const Side& side) { return id(side); });

    // In the order of the new zone's paths; the removed after them, in the old order.
    std::vector<std::pair<size_t, Path>> found;
    for (const auto& [i, j] : pairs) {
        std::vector<ZoneChanges::Point> points = DiffPoints(old[i].spots, now[j].spots);
        if (points.empty() && id(old[i]) == id(now[j])) continue;
        found.push_back({j,
                         {points.empty() ? Change::Renumbered : Change::Changed,
                          id(now[j]),
                          id(old[i]),
                          {},
                          std::move(points),
                          now[j].path->front().at}});
    }
    for (size_t i = 0; i < old.size(); ++i)
        if (!old[i].paired)
            found.push_back(
                {now.size() + i, {Change::Removed, 0, id(old[i]), old[i].spots, {}, {}}});
    for (size_t j = 0; j < now.size(); ++j)
        if (!now[j].paired)
            found.push_back(
                {j, {Change::Added, id(now[j]), 0, now[j].spots, {}, now[j].path->front().at}});
    std::stable_sort(found.begin(), found.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& [order, path] : found)
        changes.paths.push_back(std::move(path));
}

}  // namespace

ZoneChanges DiffZones(const Zone& before, const Zone& after) {
    ZoneChanges changes;
    DiffHeader(before, after, changes);
    DiffGround(before, after, changes);
    DiffMarkers(before, after, changes);
    DiffPaths(before, after, changes);
    return changes;
}

void DiffReach(const Zone& before, const Zone& after, const GameTables& tables,
               ZoneChanges& changes) {
    if (!tables.saysWalkable()) return;
    const ZoneWalk walkBefore(before, *tables.ground, tables.moves);
    const ZoneWalk walkAfter(after, *tables.ground, tables.moves);
    // Where each marker of the new zone stood before: where it moved from, or
    // the same cell where one like it stood there; none for one added.
    std::map<std::tuple<char, int32_t, Cell>, Cell> movedFrom;
    for (const ZoneChanges::Marker& marker : changes.markers) {
        if (marker.change == Change::Moved) {
            movedFrom[{marker.marker, marker.number, marker.after}] = marker.before;
        }
    }
    std::set<std::tuple<char, int32_t, Cell>> stood;
    for (const Zone::Code& code : before.codes)
        stood.insert({code.marker, code.number, {code.column, code.row}});
    const auto changed = [&](Cell was, Cell is) -> std::optional<bool> {
        const bool then = walkBefore.Reached(was.column, was.row);
        const bool now = walkAfter.Reached(is.column, is.row);
        if (then == now) return std::nullopt;
        return now;
    };
    for (const Zone::Code& code : after.codes) {
        if (code.marker == kEntryMarker) continue;
        const Cell is{code.column, code.row};
        const std::tuple<char, int32_t, Cell> key{code.marker, code.number, is};
        std::optional<Cell> was;
        if (const auto moved = movedFrom.find(key); moved != movedFrom.end()) {
            was = moved->second;
        } else if (stood.count(key) != 0) {
            was = is;
        }
        if (!was) continue;
        if (const std::optional<bool> now = changed(*was, is)) {
            changes.reach.push_back({*now, code.marker, code.number, 0, is, code.at});
        }
    }
    // A path's first point, by the path's id.
    std::map<int32_t, Cell> starts;
    for (const Zone::Path& path : before.paths)
        if (!path.empty())
            starts.emplace(path.front().pathId, Cell{path.front().column, path.front().row});
    for (const Zone::Path& path : after.paths) {
        if (path.empty()) continue;
        const auto was = starts.find(path.front().pathId);
        if (was == starts.end()) continue;
        const Cell is{path.front().column, path.front().row};
        if (const std::optional<bool> now = changed(was->second, is)) {
            changes.reach.push_back({*now, 0, 0, path.front().pathId, is, path.front().at});
        }
    }
}
