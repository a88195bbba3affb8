// Pairing at sizes the end-to-end cases do not reach: thousands of equal
// markers, long paths.

#include <gtest/gtest.h>

#include <chrono>

#include "converter/review/ZoneDiff.h"

namespace {

using Marker = ZoneChanges::Marker;
using Change = ZoneChanges::Change;

// Every mob 1 moved one column right, none onto another's place: each
// pairs with its own new place, whether every pair is weighed (1000 mobs) or,
// past that many pairs, their places are paired in order (1100).
TEST(Diff, ManyEqualMarkersPairWithTheirNearest) {
    for (const int32_t count : {1000, 1100}) {
        Zone before;
        Zone after;
        for (int32_t i = 0; i < count; ++i) {
            before.codes.push_back({i % 100 * 10, i / 100 * 10, 0, 1, {}});
            after.codes.insert(after.codes.begin(), {i % 100 * 10 + 1, i / 100 * 10, 0, 1, {}});
        }
        const auto start = std::chrono::steady_clock::now();
        const ZoneChanges changes = DiffZones(before, after);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
        ASSERT_EQ(changes.markers.size(), static_cast<size_t>(count)) << count;
        for (const Marker& marker : changes.markers) {
            ASSERT_EQ(marker.change, Change::Moved);
            ASSERT_EQ(marker.after.column, marker.before.column + 1) << count;
            ASSERT_EQ(marker.before.row, marker.after.row);
        }
    }
}

// Two mobs of one number both moved: each pairs with the one nearest it,
// though the other pairing has the smaller sum of columns.
TEST(Diff, MovedMarkersPairWithTheNearest) {
    Zone before;
    before.codes = {{20, 12, 0, 8, {}}, {6, 3, 0, 8, {}}};
    Zone after;
    after.codes = {{15, 0, 0, 8, {}}, {12, 13, 0, 8, {}}};
    const ZoneChanges changes = DiffZones(before, after);
    ASSERT_EQ(changes.markers.size(), 2u);
    for (const Marker& marker : changes.markers) {
        EXPECT_EQ(marker.change, Change::Moved);
        const bool first = marker.before == Cell{20, 12};
        EXPECT_EQ(marker.after, first ? (Cell{12, 13}) : (Cell{15, 0}));
    }
}

Zone OnePath(int32_t id, const std::vector<std::pair<int32_t, int32_t>>& points) {
    Zone zone;
    zone.paths.emplace_back();
    for (const auto& [column, row] : points)
        zone.paths.back().push_back({id, column, row, {}});
    return zone;
}

// A point put in the middle of a long path is one point added, however long
// the path: the rest keep their places.
TEST(Diff, APointPutInALongPathIsOneAdded) {
    for (const int32_t length : {10, 3000}) {
        std::vector<std::pair<int32_t, int32_t>> points;
        for (int32_t i = 0; i < length; ++i)
            points.emplace_back(i % 128, i / 128);
        std::vector<std::pair<int32_t, int32_t>> more = points;
        more.insert(more.begin() + length / 2, {500, 500});
        const ZoneChanges changes = DiffZones(OnePath(7, points), OnePath(7, more));
        ASSERT_EQ(changes.paths.size(), 1u);
        ASSERT_EQ(changes.paths[0].pointChanges.size(), 1u);
        const ZoneChanges::Point& point = changes.paths[0].pointChanges[0];
        EXPECT_EQ(point.change, Change::Added);
        EXPECT_EQ(point.index, length / 2 + 1);
        EXPECT_EQ(point.after, (Cell{500, 500}));
    }
}

// Twenty thousand paths, listed in the other order, one of them moved by a
// point: found in a moment, as one change.
TEST(Diff, ManyPathsPairQuickly) {
    Zone before;
    Zone after;
    for (int32_t i = 0; i < 20000; ++i) {
        before.paths.push_back({{i, i % 128, i / 128, {}}, {i, i % 128 + 1, i / 128, {}}});
        after.paths.insert(after.paths.begin(), before.paths.back());
    }
    after.paths[5][1].row += 1;
    const auto start = std::chrono::steady_clock::now();
    const ZoneChanges changes = DiffZones(before, after);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    ASSERT_EQ(changes.paths.size(), 1u);
    EXPECT_EQ(changes.paths[0].id, 19994);
    ASSERT_EQ(changes.paths[0].pointChanges.size(), 1u);
    EXPECT_EQ(changes.paths[0].pointChanges[0].change, Change::Moved);
}

// Within a path, the points kept in order stay; a point put before one of
// them is added, and one in another's place moved.
TEST(Diff, PointsBetweenKeptOnesAreAddedOrMoved) {
    const ZoneChanges changes = DiffZones(OnePath(7, {{1, 1}, {5, 5}, {8, 8}}),
                                          OnePath(7, {{1, 1}, {3, 3}, {5, 5}, {9, 9}}));
    ASSERT_EQ(changes.paths.size(), 1u);
    const auto& points = changes.paths[0].pointChanges;
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0].change, Change::Added);
    EXPECT_EQ(points[0].index, 2);
    EXPECT_EQ(points[0].after, (Cell{3, 3}));
    EXPECT_EQ(points[1].change, Change::Moved);
    EXPECT_EQ(points[1].index, 4);
    EXPECT_EQ(points[1].before, (Cell{8, 8}));
    EXPECT_EQ(points[1].after, (Cell{9, 9}));
}

// Paths with no point in common pair by their id; without, they are one
// removed and one added.
TEST(Diff, PathsWithoutCommonPointsPairByTheirId) {
    const ZoneChanges same = DiffZones(OnePath(7, {{1, 1}, {2, 2}}), OnePath(7, {{5, 5}, {6, 6}}));
    ASSERT_EQ(same.paths.size(), 1u);
    EXPECT_EQ(same.paths[0].change, Change::Changed);
    EXPECT_EQ(same.paths[0].pointChanges.size(), 2u);
    const ZoneChanges other = DiffZones(OnePath(7, {{1, 1}, {2, 2}}), OnePath(8, {{5, 5}, {6, 6}}));
    ASSERT_EQ(other.paths.size(), 2u);
    EXPECT_EQ(other.paths[0].change, Change::Added);
    EXPECT_EQ(other.paths[1].change, Change::Removed);
    // A path start without points is no path.
    Zone empty;
    empty.paths.emplace_back();
    EXPECT_TRUE(DiffZones(Zone{}, empty).empty());
}

}  // namespace
