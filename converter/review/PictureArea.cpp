#include "converter/review/PictureArea.h"

#include <algorithm>
#include <climits>

#include "converter/review/ZoneDiff.h"
#include "converter/zone/ZoneGround.h"

namespace {

// The smallest rectangle holding every cell of the zone it is given.
class Bounds {
  public:
    void Add(int64_t column, int64_t row) {
        if (!InZone(column, row)) return;
        left_ = std::min(left_, static_cast<int32_t>(column));
        right_ = std::max(right_, static_cast<int32_t>(column));
        top_ = std::min(top_, static_cast<int32_t>(row));
        bottom_ = std::max(bottom_, static_cast<int32_t>(row));
    }
    void Add(Cell cell) { Add(cell.column, cell.row); }
    void Add(const Bounds& other) {
        if (other.empty()) return;
        Add(other.left_, other.top_);
        Add(other.right_, other.bottom_);
    }
    bool empty() const { return left_ > right_; }

    // Widened by a block each way and out to the blocks' grid, within the
    // zone; the whole zone where nothing was added.
    CellArea Area() const {
        if (empty()) return WholeZone();
        const auto start = [](int32_t first) {
            return std::max(0, (first / kBlockCells - 1) * kBlockCells);
        };
        const auto end = [](int32_t last) {
            return std::min(kZoneCells, (last / kBlockCells + 2) * kBlockCells);
        };
        return {start(left_), start(top_), end(right_) - start(left_), end(bottom_) - start(top_)};
    }

  private:
    int32_t left_ = INT32_MAX;
    int32_t right_ = INT32_MIN;
    int32_t top_ = INT32_MAX;
    int32_t bottom_ = INT32_MIN;
};

Bounds ContentBounds(const Zone& zone) {
    Bounds bounds;
    const ZoneGround ground(zone);
    for (int32_t row = 0; row < kZoneCells; ++row)
        for (int32_t column = 0; column < kZoneCells; ++column)
            if (ground.At(column, row) > 0) bounds.Add(column, row);
    for (const Zone::Code& code : zone.codes)
        bounds.Add(code.column, code.row);
    for (const std::vector<Zone::Waypoint>& path : zone.paths)
        for (const Zone::Waypoint& point : path)
            bounds.Add(point.column, point.row);
    return bounds;
}

}  // namespace

CellArea WholeZone() {
    return {0, 0, kZoneCells, kZoneCells};
}

CellArea ContentArea(const Zone& zone) {
    return ContentBounds(zone).Area();
}

CellArea ChangeArea(const Zone& before, const Zone& after, const ZoneChanges& changes) {
    using Change = ZoneChanges::Change;
    Bounds bounds;
    for (const ZoneChanges::Ground& block : changes.ground)
        for (const ZoneChanges::CellChange& cell : block.cells)
            bounds.Add(cell.at);
    for (const ZoneChanges::Marker& marker : changes.markers) {
        if (marker.change != Change::Added) bounds.Add(marker.before);
        if (marker.change != Change::Removed) bounds.Add(marker.after);
    }
    for (const ZoneChanges::Path& path : changes.paths) {
        for (const Cell& point : path.points)
            bounds.Add(point);
        for (const ZoneChanges::Point& point : path.pointChanges) {
            if (point.change != Change::Added) bounds.Add(point.before);
            if (point.change != Change::Removed) bounds.Add(point.after);
        }
    }
    if (bounds.empty()) {
        bounds.Add(ContentBounds(before));
        bounds.Add(ContentBounds(after));
    }
    return bounds.Area();
}
