// The pictures of a change, decoded again and looked at: the two sides over
// the same cells, each change marked where the reader looks for it, and the
// part of the zone shown holding every change.

#include <gtest/gtest.h>

#include "Pictures.h"
#include "converter/review/ChangeDrawing.h"
#include "converter/review/ZoneDiff.h"
#include "converter/review/ZonePicture.h"

namespace {

const Pixel kWhitePixel{250, 250, 250};
const Pixel kBlackPixel{0, 0, 0};

Pixel Of(Rgb colour) {
    return {colour.r, colour.g, colour.b};
}
Pixel Dimmed(Pixel p) {
    return {p.r * 2 / 5, p.g * 2 / 5, p.b * 2 / 5};
}

// A block of code 16 at (0, 0); a mob, a trap and a path; and the zone after
// one cell painted, the mob moved, the trap removed, an entry added and a
// path point moved.
struct TwoZones {
    TwoZones() {
        for (auto& row : before.EditBlock(10001).codes)
            row.fill(16);
        before.placements.push_back({10001, 0, 0, {}});
        before.AddCode({20, 20, 0, 5, {}});
        before.AddCode({30, 30, '*', 0, {}});
        before.StartPath() = {{10001, 40, 40, {}}, {10001, 45, 40, {}}};
        after = before;
        after.EditBlock(10001).codes[3][2] = 17;
        after.codes = {{22, 20, 0, 5, {}}, {50, 10, '>', 0, {}}};
        after.order = {{false, 0}, {true, 0}, {false, 1}};
        after.paths = {{{10001, 40, 40, {}}, {10001, 45, 42, {}}}};
    }
    Zone before;
    Zone after;
};

// With the same zone on both sides, the overlay is the plain picture with
// every cell at 40 %.
TEST(ChangePicture, TheSameZoneOverlaidIsThePictureDimmed) {
    Zone zone;
    for (int32_t code = 0; code < 36; ++code)
        zone.EditBlock(10001).codes[static_cast<size_t>(code / 6)][static_cast<size_t>(code % 6)] =
            static_cast<uint8_t>(code * 7);
    zone.placements.push_back({10001, 24, 12, {}});
    const PictureOptions whole{8, true, nullptr};
    const std::vector<Pixel> plain = Picture(DrawZonePicture(zone, whole)).Panel();
    const std::vector<Pixel> change =
        Picture(DrawZoneOverlay(zone, zone, DiffZones(zone, zone), whole)).Panel();
    ASSERT_EQ(change.size(), plain.size());
    for (size_t i = 0; i < plain.size(); ++i)
        ASSERT_EQ(change[i], Dimmed(plain[i])) << i;
}

// Overlaid: a changed cell keeps its colour in a white and black frame; a
// moved mob and a moved path point leave a grey ghost and a grey line to
// where they went; a removed trap is a grey ghost.
TEST(ChangePicture, OverlaidWhatChangedStandsOut) {
    const TwoZones zones;
    const PictureOptions whole{8, true, nullptr};
    const Picture plain(DrawZonePicture(zones.after, whole));
    const Picture change(
        DrawZoneOverlay(zones.before, zones.after, DiffZones(zones.before, zones.after), whole));
    ASSERT_FALSE(change.empty());
    const Pixel grey = Of(kGhostColour);
    EXPECT_EQ(change.At(2, 3), plain.At(2, 3));     // the changed cell
    EXPECT_EQ(change.At(2, 3, 0, 0), kWhitePixel);  // framed
    EXPECT_EQ(change.At(2, 3, 7, 7), kWhitePixel);
    EXPECT_EQ(change.At(2, 3, 1, 1), kBlackPixel);  // twice
    EXPECT_EQ(change.At(2, 3, 6, 3), kBlackPixel);
    EXPECT_EQ(change.At(1, 3), Dimmed(plain.At(1, 3)));  // the cells around it
    EXPECT_EQ(change.At(2, 2, 0, 0), Dimmed(plain.At(2, 2, 0, 0)));
    EXPECT_EQ(change.At(20, 20), grey);              // the mob's old place
    EXPECT_EQ(change.At(21, 20), grey);              // the way it went
    EXPECT_EQ(change.At(22, 20), plain.At(22, 20));  // the mob, where it is
    EXPECT_EQ(change.At(30, 30), grey);              // the trap removed
    EXPECT_EQ(change.At(45, 40), grey);              // the point's old place
    EXPECT_EQ(change.At(45, 41), grey);
    EXPECT_EQ(change.At(45, 42), plain.At(45, 42));          // the point, where it is
    EXPECT_EQ(change.At(60, 60), Dimmed(plain.At(60, 60)));  // nothing here
}

// Side by side, over the cells of the change: on the left the zone before,
// what was removed ringed in red and what moved ringed at its old place; on
// the right the zone after, what was added ringed in blue and what moved
// ringed at its new place with an arrow from its old one. Changed cells are
// framed on both sides, the ground that stayed is dimmed on both.
TEST(ChangePicture, SideBySideMarksEachSide) {
    const TwoZones zones;
    const ZoneChanges changes = DiffZones(zones.before, zones.after);
    const PictureOptions options{8, false, nullptr};
    const CellArea area = ChangeArea(zones.before, zones.after, changes);
    const std::string png = DrawZoneChange(zones.before, zones.after, changes, options);
    const Picture left(png, 8, area, true, 0);
    const Picture right(png, 8, area, true, 1);
    ASSERT_FALSE(left.empty());
    const Picture plainBefore(DrawZonePicture(zones.before, {8, true, nullptr}));
    const Picture plainAfter(DrawZonePicture(zones.after, {8, true, nullptr}));

    // The ground: the changed cell framed on both, its own code on each side.
    EXPECT_EQ(left.At(2, 3), plainBefore.At(2, 3));
    EXPECT_EQ(right.At(2, 3), plainAfter.At(2, 3));
    EXPECT_NE(left.At(2, 3), right.At(2, 3));
    for (const Picture* side : {&left, &right}) {
        EXPECT_EQ(side->At(2, 3, 0, 0), kWhitePixel);
        EXPECT_EQ(side->At(2, 3, 1, 1), kBlackPixel);
        EXPECT_EQ(side->At(1, 3), Dimmed(plainBefore.At(1, 3)));
    }
    // A ring's colour lies half a cell and a pixel left of its cell.
    const auto ring = [](const Picture& side, int32_t column, int32_t row) {
        return side.At(column - 1, row, 3, 4);
    };
    EXPECT_EQ(ring(left, 30, 30), Of(kRemovedColour));  // the trap, removed
    EXPECT_NE(ring(right, 30, 30), Of(kRemovedColour));
    EXPECT_EQ(ring(right, 50, 10), Of(kAddedColour));  // the entry, added
    EXPECT_NE(ring(left, 50, 10), Of(kAddedColour));
    EXPECT_EQ(ring(left, 20, 20), Of(kMovedColour));   // the mob, from here
    EXPECT_EQ(ring(right, 22, 20), Of(kMovedColour));  // to here
    EXPECT_NE(ring(left, 22, 20), Of(kMovedColour));
    EXPECT_EQ(right.At(20, 20), Of(kMovedColour));     // the arrow from its old place
    EXPECT_EQ(ring(left, 45, 40), Of(kMovedColour));   // the path point, from here
    EXPECT_EQ(ring(right, 45, 42), Of(kMovedColour));  // to here
    // What stayed is drawn as it is on both sides.
    EXPECT_EQ(left.At(40, 40), right.At(40, 40));
}

// The cells shown: every changed cell, every place a marker or a point was or
// went, and a block around them on the blocks' grid.
TEST(ChangePicture, TheAreaHoldsEveryChange) {
    const TwoZones zones;
    const CellArea area =
        ChangeArea(zones.before, zones.after, DiffZones(zones.before, zones.after));
    // Changes from (2, 3) to (50, 42): from block 0 to the block after 48.
    EXPECT_EQ(area.column, 0);
    EXPECT_EQ(area.row, 0);
    EXPECT_EQ(area.lastColumn(), 59);
    EXPECT_EQ(area.lastRow(), 53);

    // One mob moved far inside: only its surroundings.
    Zone before;
    before.AddCode({64, 70, 0, 1, {}});
    Zone after;
    after.AddCode({67, 71, 0, 1, {}});
    const CellArea moved = ChangeArea(before, after, DiffZones(before, after));
    EXPECT_EQ(moved.column, 54);
    EXPECT_EQ(moved.row, 60);
    EXPECT_EQ(moved.lastColumn(), 77);
    EXPECT_EQ(moved.lastRow(), 77);

    // At the zone's far edge, cut there; a point outside the zone counts not.
    Zone edge;
    edge.AddCode({127, 127, '<', 0, {}});
    edge.StartPath() = {{1, 200, 5, {}}};
    const CellArea corner = ContentArea(edge);
    EXPECT_EQ(corner.column, 120);
    EXPECT_EQ(corner.row, 120);
    EXPECT_EQ(corner.lastColumn(), 127);
    EXPECT_EQ(corner.lastRow(), 127);

    // Ground of the lowest code counts as ground: a block of code 1 alone
    // is what the picture shows.
    Zone low;
    for (auto& row : low.EditBlock(10001).codes)
        row.fill(1);
    low.placements.push_back({10001, 2 * 60, 2 * 90, {}});
    const CellArea lowArea = ContentArea(low);
    EXPECT_EQ(lowArea.column, 54);
    EXPECT_EQ(lowArea.row, 84);
    EXPECT_EQ(lowArea.lastColumn(), 71);
    EXPECT_EQ(lowArea.lastRow(), 101);

    // Nothing in place changed (or nothing at all): what both zones hold; an
    // empty zone is shown whole.
    const CellArea same = ChangeArea(before, before, DiffZones(before, before));
    EXPECT_EQ(same.column, 54);
    EXPECT_EQ(same.columns, 18);
    EXPECT_EQ(ContentArea(Zone{}).columns, 128);
}

// Cropped, every cell of the area is drawn as in the whole zone's picture:
// ground, outlines, a path's lines and arrowheads, a trap's cross, a mob and
// its number, the side-by-side marks and arrows, wherever the area starts.
TEST(ChangePicture, ACropShowsItsCellsAsTheWholeZoneDoes) {
    Zone before;
    for (auto& row : before.EditBlock(10001).codes)
        row.fill(16);
    before.placements.push_back({10001, 2 * 66, 2 * 60, {}});
    before.AddCode({70, 63, '*', 0, {}});
    before.AddCode({64, 70, 0, 12, {}});
    before.StartPath() = {{10001, 61, 61, {}}, {10001, 75, 66, {}}, {10001, 75, 72, {}}};
    Zone after = before;
    after.EditBlock(10001).codes[2][2] = 17;
    after.codes[1].column = 67;
    const ZoneChanges changes = DiffZones(before, after);
    const CellArea area = ChangeArea(before, after, changes);
    ASSERT_GT(area.column, 0);
    ASSERT_GT(area.row, 0);
    for (const int32_t scale : {3, 8}) {
        const Picture cropped(DrawZonePicture(before, {scale}), scale, ContentArea(before));
        const Picture whole(DrawZonePicture(before, {scale, true, nullptr}), scale);
        const Picture change(DrawZoneChange(before, after, changes, {scale}), scale, area, true, 1);
        const Picture wholeChange(DrawZoneChange(before, after, changes, {scale, true, nullptr}),
                                  scale, WholeZone(), true, 1);
        for (int32_t row = area.row; row <= area.lastRow(); ++row)
            for (int32_t column = area.column; column <= area.lastColumn(); ++column)
                for (int32_t dy = 0; dy < scale; ++dy)
                    for (int32_t dx = 0; dx < scale; ++dx) {
                        ASSERT_EQ(cropped.At(column, row, dx, dy), whole.At(column, row, dx, dy))
                            << column << ',' << row << " at " << scale;
                        ASSERT_EQ(change.At(column, row, dx, dy),
                                  wholeChange.At(column, row, dx, dy))
                            << column << ',' << row << " at " << scale;
                    }
    }
}

// The pictures of a change looked at by eye once and kept, side by side and
// overlaid; the one drawn is left in the test's folder where it differs.
TEST(ChangePicture, DrawsAsThePicturesLookedAt) {
    const TwoZones zones;
    const ZoneChanges changes = DiffZones(zones.before, zones.after);
    for (const auto& [name, png] :
         {std::pair{"change-8", DrawZoneChange(zones.before, zones.after, changes, {8})},
          {"change-3", DrawZoneChange(zones.before, zones.after, changes, {3})},
          {"overlay-8", DrawZoneOverlay(zones.before, zones.after, changes, {8})}}) {
        if (png == ReadFile(TEST_DATA_DIR "/preview/" + std::string(name) + ".png")) continue;
        std::ofstream(std::string("drawn-") + name + ".png", std::ios::binary) << png;
        ADD_FAILURE() << name << " is not the picture kept; see drawn-" << name << ".png";
    }
}

}  // namespace
