#include "converter/review/ChangeDrawing.h"

#include <algorithm>
#include <vector>

#include "converter/review/ZoneDrawing.h"

namespace {

using Change = ZoneChanges::Change;

// A marker of the zone script at a cell of the change.
Zone::Code CodeAt(const ZoneChanges::Marker& marker, Cell at) {
    // Cells of a zone script fit in 32 bits.
    return {static_cast<int32_t>(at.column),
            static_cast<int32_t>(at.row),
            marker.marker,
            marker.number,
            {}};
}

void Arrow(Cell from, Cell to, Rgb colour, Canvas& canvas) {
    const int32_t s = canvas.scale();
    DrawArrow(CellCentre(from.column, s), CellCentre(from.row, s), CellCentre(to.column, s),
              CellCentre(to.row, s), std::max(1, s / 6), s / 2.0 + 2, colour, canvas);
}

}  // namespace

void FrameCell(int64_t column, int64_t row, Canvas& canvas) {
    const int32_t s = canvas.scale();
    if (s < 2 || !InZone(column, row)) return;
    const auto x0 = static_cast<int32_t>(column) * s;
    const auto y0 = static_cast<int32_t>(row) * s;
    canvas.Frame(x0, y0, x0 + s - 1, y0 + s - 1, kWhite);
    if (s >= 4) canvas.Frame(x0 + 1, y0 + 1, x0 + s - 2, y0 + s - 2, kBlack);
}

void DimUnchanged(const ZoneChanges& changes, Canvas& canvas) {
    const int32_t s = canvas.scale();
    std::vector<bool> changed(size_t{kZoneCells} * kZoneCells);
    for (const ZoneChanges::Ground& block : changes.ground)
        for (const ZoneChanges::CellChange& cell : block.cells)
            changed[static_cast<size_t>(cell.at.row) * kZoneCells +
                    static_cast<size_t>(cell.at.column)] = true;
    for (int32_t row = 0; row < kZoneCells; ++row)
        for (int32_t column = 0; column < kZoneCells; ++column)
            if (!changed[static_cast<size_t>(row) * kZoneCells + static_cast<size_t>(column)])
                canvas.Dim(column * s, row * s, (column + 1) * s, (row + 1) * s);
    for (const ZoneChanges::Ground& block : changes.ground)
        for (const ZoneChanges::CellChange& cell : block.cells)
            FrameCell(cell.at.column, cell.at.row, canvas);
}

void MarkCell(int64_t column, int64_t row, Rgb colour, Canvas& canvas) {
    const int32_t s = canvas.scale();
    if (!InZone(column, row)) return;
    // Half a cell around the cell, the ring's width an eighth of a cell.
    const int32_t width = std::max(1, s / 8);
    const int32_t x0 = static_cast<int32_t>(column) * s - s / 2 - width;
    const int32_t y0 = static_cast<int32_t>(row) * s - s / 2 - width;
    const int32_t x1 = static_cast<int32_t>(column + 1) * s + s / 2 + width - 1;
    const int32_t y1 = static_cast<int32_t>(row + 1) * s + s / 2 + width - 1;
    canvas.Frame(x0 - 1, y0 - 1, x1 + 1, y1 + 1, kBlack);
    for (int32_t i = 0; i < width; ++i)
        canvas.Frame(x0 + i, y0 + i, x1 - i, y1 - i, colour);
    canvas.Frame(x0 + width, y0 + width, x1 - width, y1 - width, kBlack);
}

void MarkChanges(const ZoneChanges& changes, Side side, Canvas& canvas) {
    const bool before = side == Side::Before;
    const auto mark = [&](Change change, Cell was, Cell is) {
        if (change == Change::Moved) {
            if (!before) Arrow(was, is, kMovedColour, canvas);
            const Cell at = before ? was : is;
            MarkCell(at.column, at.row, kMovedColour, canvas);
        } else if (change == (before ? Change::Removed : Change::Added)) {
            const Cell at = before ? was : is;
            MarkCell(at.column, at.row, before ? kRemovedColour : kAddedColour, canvas);
        }
    };
    for (const ZoneChanges::Marker& marker : changes.markers)
        mark(marker.change, marker.before, marker.after);
    for (const ZoneChanges::Path& path : changes.paths) {
        if (path.change == (before ? Change::Removed : Change::Added)) {
            for (const Cell& point : path.points)
                MarkCell(point.column, point.row, before ? kRemovedColour : kAddedColour, canvas);
        }
        for (const ZoneChanges::Point& point : path.pointChanges)
            mark(point.change, point.before, point.after);
    }
}

void DrawGhosts(const ZoneChanges& changes, Canvas& canvas) {
    const int32_t s = canvas.scale();
    const int32_t width = std::max(1, s / 8);
    const auto line = [&](Cell from, Cell to) {
        canvas.Line(CellCentre(from.column, s), CellCentre(from.row, s), CellCentre(to.column, s),
                    CellCentre(to.row, s), width, kGhostColour);
    };
    const auto point = [&](Cell at) {
        if (!InZone(at.column, at.row)) return;
        const int32_t half = std::max(1, s / 4);
        const auto x = static_cast<int32_t>(CellCentre(at.column, s));
        const auto y = static_cast<int32_t>(CellCentre(at.row, s));
        canvas.Fill(x - half, y - half, x + half + 1, y + half + 1, kGhostColour);
    };
    for (const ZoneChanges::Marker& marker : changes.markers) {
        if (marker.change == Change::Added) continue;
        DrawCode(CodeAt(marker, marker.before), canvas, &kGhostColour);
        if (marker.change == Change::Moved) line(marker.before, marker.after);
    }
    for (const ZoneChanges::Path& path : changes.paths) {
        if (path.change == Change::Removed) {
            for (size_t i = 0; i < path.points.size(); ++i) {
                point(path.points[i]);
                if (i > 0) line(path.points[i - 1], path.points[i]);
            }
        }
        for (const ZoneChanges::Point& change : path.pointChanges) {
            if (change.change == Change::Added) continue;
            point(change.before);
            if (change.change == Change::Moved) line(change.before, change.after);
        }
    }
}
