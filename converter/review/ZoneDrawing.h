#pragma once

// The parts of a zone drawn on a canvas whose drawing coordinates put cell
// (column, row) at pixels (column x scale, row x scale): what the zone
// pictures, their legends and the change pictures are made of.

#include <cstdint>

#include "converter/game/GameTables.h"
#include "converter/picture/Canvas.h"
#include "converter/review/PictureArea.h"
#include "converter/zone/Zone.h"
#include "converter/zone/ZoneWalk.h"

class GroundArt;

// The ground as the game builds it within `area`: each cell in its code's
// colour (the table's, where it gives one), or its code's tile of `art`; no
// ground in the background's grey; then each placed block's outline.
void DrawGround(const Zone& zone, const CellArea& area, const GroundArt* art, Canvas& canvas,
                const GroundTable* table = nullptr);

// Over the ground within `area`: each cell with ground that is not walkable
// hatched; each walkable cell that no entry reaches tinted.
void DrawWalk(const ZoneWalk& walk, const CellArea& area, Canvas& canvas);
// The same marks alone, at cell (0, 0), for the legend.
void HatchCell(int32_t column, int32_t row, Canvas& canvas);
void TintCell(int32_t column, int32_t row, Canvas& canvas);

// Each waypoint path: a yellow line through its points, a square at each, a
// hollow one where it starts, and an arrowhead where each step ends.
void DrawPaths(const Zone& zone, Canvas& canvas);

// Entries: a green triangle pointing right; exits: a red one pointing left;
// traps: an orange cross; mobs: a white diamond with the mob's number beside
// it. With `ghost`, all in that colour and without number.
void DrawCode(const Zone::Code& code, Canvas& canvas, const Rgb* ghost = nullptr);
void DrawCodes(const Zone& zone, Canvas& canvas);

// A line `width` pixels wide from (x0, y0) to (x1, y1) with an arrowhead,
// its wings half a cell long, `inset` pixels short of (x1, y1).
void DrawArrow(int64_t x0, int64_t y0, int64_t x1, int64_t y1, int32_t width, double inset,
               Rgb colour, Canvas& canvas);

// The pixel at the middle of a cell's column or row.
inline int64_t CellCentre(int64_t cell, int32_t scale) {
    return cell * scale + scale / 2;
}

// The colours of the markers and paths, for the legend too.
constexpr Rgb kEntryColour{40, 210, 70};
constexpr Rgb kExitColour{230, 45, 45};
constexpr Rgb kTrapColour{255, 140, 0};
constexpr Rgb kPathColour{255, 225, 0};
constexpr Rgb kWalkHatch{16, 16, 16};
constexpr Rgb kWalkTint{255, 40, 120};
