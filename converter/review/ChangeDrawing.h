#pragma once

// What a change picture draws over the zones: the ground that changed
// framed, the rest dimmed; and marks on what was removed, added or moved.

#include "converter/picture/Canvas.h"
#include "converter/review/ZoneDiff.h"

// The frame of a changed cell: a white line around a black one, which stands
// out on any ground; and the marks, rings of their colour between black lines.
constexpr Rgb kRemovedColour{255, 80, 80};
constexpr Rgb kAddedColour{0, 220, 255};
constexpr Rgb kMovedColour{190, 130, 255};
constexpr Rgb kGhostColour{150, 150, 150};

// Every cell whose ground did not change at 40 % of its brightness; each
// changed cell framed.
void DimUnchanged(const ZoneChanges& changes, Canvas& canvas);
void FrameCell(int64_t column, int64_t row, Canvas& canvas);

// A ring around a cell, in `colour`.
void MarkCell(int64_t column, int64_t row, Rgb colour, Canvas& canvas);

// Which side of a change a picture shows.
enum class Side { Before, After };

// On the zone before: what was removed, and what moved at its old place; on
// the zone after: what was added, and what moved at its new place, with an
// arrow from its old one.
void MarkChanges(const ZoneChanges& changes, Side side, Canvas& canvas);

// On one picture of the zone after, in grey, what is no longer there
// (removed markers, paths and path points) and the old place of what moved,
// with a line to where it went.
void DrawGhosts(const ZoneChanges& changes, Canvas& canvas);
