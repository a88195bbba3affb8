#include "converter/review/ZonePicture.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "converter/game/Objects.h"
#include "converter/picture/Canvas.h"
#include "converter/picture/GroundColours.h"
#include "converter/picture/Png.h"
#include "converter/review/ZoneDiff.h"
#include "converter/zone/ZoneGround.h"

namespace {

constexpr Rgb kOutline{12, 12, 12};
constexpr Rgb kEntry{40, 210, 70};
constexpr Rgb kExit{230, 45, 45};
constexpr Rgb kTrap{255, 140, 0};
constexpr Rgb kMob = kWhite;
constexpr Rgb kShadow = kBlack;
constexpr Rgb kPath{255, 225, 0};
constexpr Rgb kChanged{255, 0, 255};
constexpr Rgb kGhost{150, 150, 150};

// The ground as the game builds it, then each placed block's outline.
void DrawGround(const Zone& zone, Canvas& canvas) {
    const int32_t s = canvas.scale();
    const ZoneGround ground(zone);
    for (int32_t row = 0; row < kZoneCells; ++row) {
        for (int32_t column = 0; column < kZoneCells; ++column) {
            const int32_t code = ground.At(column, row);
            if (code > 0)
                canvas.Fill(column * s, row * s, (column + 1) * s, (row + 1) * s,
                            GroundColour(code));
        }
    }
    if (s < 2) return;
    for (const Zone::Placement& placement : zone.placements) {
        const int32_t x0 = placement.x / 2 * s;
        const int32_t y0 = placement.y / 2 * s;
        canvas.Frame(x0, y0, x0 + kBlockCells * s - 1, y0 + kBlockCells * s - 1, kOutline);
    }
}

// Each path: a line through its points, a square at each, a hollow one where
// it starts, and an arrowhead where each step ends.
void DrawPaths(const Zone& zone, Canvas& canvas) {
    const int32_t s = canvas.scale();
    const int32_t width = std::max(1, s / 8);
    const auto centre = [s](int32_t cell) { return int64_t{cell} * s + s / 2; };
    for (const std::vector<Zone::Waypoint>& path : zone.paths) {
        for (size_t i = 0; i < path.size(); ++i) {
            const int64_t x = centre(path[i].column);
            const int64_t y = centre(path[i].row);
            const int32_t half = std::max(1, s / 4);
            if (x < -s || y < -s || x > canvas.width() + s || y > canvas.width() + s) continue;
            const auto px = static_cast<int32_t>(x);
            const auto py = static_cast<int32_t>(y);
            canvas.Fill(px - half, py - half, px + half + 1, py + half + 1, kPath);
            if (i == 0 && half > 1)
                canvas.Fill(px - half + 1, py - half + 1, px + half, py + half, kShadow);
        }
        for (size_t i = 1; i < path.size(); ++i) {
            const int64_t x0 = centre(path[i - 1].column);
            const int64_t y0 = centre(path[i - 1].row);
            const int64_t x1 = centre(path[i].column);
            const int64_t y1 = centre(path[i].row);
            canvas.Line(x0, y0, x1, y1, width, kPath);
            const double length =
                std::hypot(static_cast<double>(x1 - x0), static_cast<double>(y1 - y0));
            if (length < 1 || s < 4) continue;
            // Two wings, each half a cell long, 30 degrees off the way back.
            const double ux = static_cast<double>(x0 - x1) / length;
            const double uy = static_cast<double>(y0 - y1) / length;
            const double wing = s / 2.0;
            // The tip just short of the point's square.
            const double tipX = static_cast<double>(x1) + ux * (s / 4.0 + 1);
            const double tipY = static_cast<double>(y1) + uy * (s / 4.0 + 1);
            for (const double sign : {-1.0, 1.0}) {
                const double wx = ux * 0.8660254 - sign * uy * 0.5;
                const double wy = uy * 0.8660254 + sign * ux * 0.5;
                canvas.Line(std::llround(tipX), std::llround(tipY), std::llround(tipX + wx * wing),
                            std::llround(tipY + wy * wing), width, kPath);
            }
        }
    }
}

// Entries: a green triangle pointing right; exits: a red one pointing left;
// traps: an orange cross; mobs: a white diamond with the mob's number beside
// it. A ghost (a marker no longer there) is all in `ghost`, without number.
void DrawCode(const Zone::Code& code, Canvas& canvas, const Rgb* ghost = nullptr) {
    const int32_t s = canvas.scale();
    if (!InZone(code.column, code.row)) return;
    const int32_t x = code.column * s;
    const int32_t y = code.row * s;
    const auto colour = [ghost](Rgb own) { return ghost != nullptr ? *ghost : own; };
    if (code.marker == kEntryMarker || code.marker == kExitMarker) {
        for (int32_t dy = 0; dy < s; ++dy) {
            const int32_t reach = s - std::abs(2 * dy - (s - 1));
            for (int32_t dx = 0; dx < reach; ++dx)
                canvas.Set(code.marker == kEntryMarker ? x + dx : x + s - 1 - dx, y + dy,
                           colour(code.marker == kEntryMarker ? kEntry : kExit));
        }
    } else if (code.marker == kTrapMarker) {
        const int32_t width = std::max(1, s / 4);
        canvas.Line(x, y, x + s - 1, y + s - 1, width, colour(kTrap));
        canvas.Line(x + s - 1, y, x, y + s - 1, width, colour(kTrap));
    } else {
        for (int32_t dy = 0; dy < s; ++dy) {
            const int32_t reach = (s - std::abs(2 * dy - (s - 1))) / 2;
            canvas.Fill(x + s / 2 - reach, y + dy, x + s / 2 + reach + (s == 1), y + dy + 1,
                        colour(kMob));
        }
        if (s >= 6 && ghost == nullptr) {
            const int32_t dot = std::max(1, s / 8);
            canvas.Number(code.number, x + s + dot, y - dot, dot, kShadow);
            canvas.Number(code.number, x + s, y - 2 * dot, dot, kMob);
        }
    }
}

void DrawCodes(const Zone& zone, Canvas& canvas) {
    for (const Zone::Code& code : zone.codes)
        DrawCode(code, canvas);
}

// Every cell whose ground did not change, at 40 % of its brightness; each
// changed cell framed in magenta where cells are large enough for a frame.
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
    if (s < 4) return;
    for (const ZoneChanges::Ground& block : changes.ground) {
        for (const ZoneChanges::CellChange& cell : block.cells) {
            const int32_t x0 = cell.at.column * s;
            const int32_t y0 = cell.at.row * s;
            canvas.Frame(x0, y0, x0 + s - 1, y0 + s - 1, kChanged);
        }
    }
}

// What is no longer there, in grey: removed markers and paths, removed path
// points, and the old place of what moved, with a line to where it went.
void DrawGhosts(const ZoneChanges& changes, Canvas& canvas) {
    const int32_t s = canvas.scale();
    const int32_t width = std::max(1, s / 8);
    const auto centre = [s](int64_t cell) { return cell * s + s / 2; };
    const auto line = [&](Cell from, Cell to) {
        canvas.Line(centre(from.column), centre(from.row), centre(to.column), centre(to.row), width,
                    kGhost);
    };
    const auto point = [&](Cell at) {
        if (!InZone(at.column, at.row)) return;
        const int32_t half = std::max(1, s / 4);
        const auto x = static_cast<int32_t>(centre(at.column));
        const auto y = static_cast<int32_t>(centre(at.row));
        canvas.Fill(x - half, y - half, x + half + 1, y + half + 1, kGhost);
    };
    using M = ZoneChanges::Change;
    for (const ZoneChanges::Marker& marker : changes.markers) {
        if (marker.change == M::Added) continue;
        // Cells of a zone script fit in 32 bits.
        const Zone::Code ghost{static_cast<int32_t>(marker.before.column),
                               static_cast<int32_t>(marker.before.row),
                               marker.marker,
                               marker.number,
                               {}};
        DrawCode(ghost, canvas, &kGhost);
        if (marker.change == M::Moved) line(marker.before, marker.after);
    }
    using P = ZoneChanges::Change;
    for (const ZoneChanges::Path& path : changes.paths) {
        if (path.change == ZoneChanges::Change::Removed) {
            for (size_t i = 0; i < path.points.size(); ++i) {
                point(path.points[i]);
                if (i > 0) line(path.points[i - 1], path.points[i]);
            }
        }
        for (const ZoneChanges::Point& change : path.pointChanges) {
            if (change.change == P::Added) continue;
            point(change.before);
            if (change.change == P::Moved) line(change.before, change.after);
        }
    }
}

}  // namespace

std::string DrawZonePicture(const Zone& zone, int32_t scale) {
    const int32_t s = std::clamp(scale, 1, kMaxPictureScale);
    Canvas canvas(s, kZoneCells * s, kZoneCells * s, kNoGround);
    DrawGround(zone, canvas);
    DrawPaths(zone, canvas);
    DrawCodes(zone, canvas);
    return EncodePng(canvas);
}

std::string DrawZoneChange(const Zone& after, const ZoneChanges& changes, int32_t scale) {
    const int32_t s = std::clamp(scale, 1, kMaxPictureScale);
    Canvas canvas(s, kZoneCells * s, kZoneCells * s, kNoGround);
    DrawGround(after, canvas);
    DimUnchanged(changes, canvas);
    DrawGhosts(changes, canvas);
    DrawPaths(after, canvas);
    DrawCodes(after, canvas);
    return EncodePng(canvas);
}
