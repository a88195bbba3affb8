#include "converter/review/ZoneDrawing.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "converter/game/Objects.h"
#include "converter/picture/GroundArt.h"
#include "converter/picture/GroundColours.h"
#include "converter/zone/ZoneGround.h"

namespace {

constexpr Rgb kOutline{12, 12, 12};
constexpr Rgb kMob = kWhite;
constexpr Rgb kShadow = kBlack;

}  // namespace

void DrawGround(const Zone& zone, const CellArea& area, const GroundArt* art, Canvas& canvas,
                const GroundTable* table) {
    const int32_t s = canvas.scale();
    const ZoneGround ground(zone);
    for (int32_t row = area.row; row <= area.lastRow(); ++row) {
        for (int32_t column = area.column; column <= area.lastColumn(); ++column) {
            const int32_t code = ground.At(column, row);
            if (code == 0) continue;
            if (art == nullptr || !art->DrawCell(column, row, code, canvas, column * s, row * s, s))
                canvas.Fill(column * s, row * s, (column + 1) * s, (row + 1) * s,
                            GroundColour(code, table));
        }
    }
    if (s < 2) return;
    for (const Zone::Placement& placement : zone.placements) {
        const int32_t x0 = placement.x / 2 * s;
        const int32_t y0 = placement.y / 2 * s;
        canvas.Frame(x0, y0, x0 + kBlockCells * s - 1, y0 + kBlockCells * s - 1, kOutline);
    }
}

void HatchCell(int32_t column, int32_t row, Canvas& canvas) {
    const int32_t s = canvas.scale();
    // Lines down to the left, every fourth pixel, drawn in the cell's own
    // pixels so that neighbouring cells' lines run on.
    for (int32_t y = row * s; y < (row + 1) * s; ++y)
        for (int32_t x = column * s; x < (column + 1) * s; ++x)
            if ((x + y) % 4 == 0) canvas.Set(x, y, kWalkHatch);
}

void TintCell(int32_t column, int32_t row, Canvas& canvas) {
    const int32_t s = canvas.scale();
    for (int32_t y = row * s; y < (row + 1) * s; ++y)
        for (int32_t x = column * s; x < (column + 1) * s; ++x)
            canvas.Blend(x, y, kWalkTint, 128);
}

void DrawWalk(const ZoneWalk& walk, const CellArea& area, Canvas& canvas) {
    for (int32_t row = area.row; row <= area.lastRow(); ++row) {
        for (int32_t column = area.column; column <= area.lastColumn(); ++column) {
            if (walk.code(column, row) != 0 && !walk.Walkable(column, row)) {
                HatchCell(column, row, canvas);
            } else if (walk.Walkable(column, row) && !walk.Reached(column, row)) {
                TintCell(column, row, canvas);
            }
        }
    }
}

void DrawArrow(int64_t x0, int64_t y0, int64_t x1, int64_t y1, int32_t width, double inset,
               Rgb colour, Canvas& canvas) {
    const int32_t s = canvas.scale();
    canvas.Line(x0, y0, x1, y1, width, colour);
    const double length = std::hypot(static_cast<double>(x1 - x0), static_cast<double>(y1 - y0));
    if (length < 1 || s < 4) return;
    // Two wings, each half a cell long, 30 degrees off the way back.
    const double ux = static_cast<double>(x0 - x1) / length;
    const double uy = static_cast<double>(y0 - y1) / length;
    const double wing = s / 2.0;
    const double tipX = static_cast<double>(x1) + ux * inset;
    const double tipY = static_cast<double>(y1) + uy * inset;
    for (const double sign : {-1.0, 1.0}) {
        const double wx = ux * 0.8660254 - sign * uy * 0.5;
        const double wy = uy * 0.8660254 + sign * ux * 0.5;
        canvas.Line(std::llround(tipX), std::llround(tipY), std::llround(tipX + wx * wing),
                    std::llround(tipY + wy * wing), width, colour);
    }
}

void DrawPaths(const Zone& zone, Canvas& canvas) {
    const int32_t s = canvas.scale();
    const int32_t width = std::max(1, s / 8);
    const int32_t half = std::max(1, s / 4);
    for (const std::vector<Zone::Waypoint>& path : zone.paths) {
        for (size_t i = 0; i < path.size(); ++i) {
            if (!InZone(path[i].column, path[i].row)) continue;
            const auto x = static_cast<int32_t>(CellCentre(path[i].column, s));
            const auto y = static_cast<int32_t>(CellCentre(path[i].row, s));
            canvas.Fill(x - half, y - half, x + half + 1, y + half + 1, kPathColour);
            if (i == 0 && half > 1)
                canvas.Fill(x - half + 1, y - half + 1, x + half, y + half, kShadow);
        }
        // The tip just short of the point's square.
        for (size_t i = 1; i < path.size(); ++i) {
            DrawArrow(CellCentre(path[i - 1].column, s), CellCentre(path[i - 1].row, s),
                      CellCentre(path[i].column, s), CellCentre(path[i].row, s), width, s / 4.0 + 1,
                      kPathColour, canvas);
        }
    }
}

void DrawCode(const Zone::Code& code, Canvas& canvas, const Rgb* ghost) {
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
                           colour(code.marker == kEntryMarker ? kEntryColour : kExitColour));
        }
    } else if (code.marker == kTrapMarker) {
        const int32_t width = std::max(1, s / 4);
        canvas.Line(x, y, x + s - 1, y + s - 1, width, colour(kTrapColour));
        canvas.Line(x + s - 1, y, x, y + s - 1, width, colour(kTrapColour));
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
