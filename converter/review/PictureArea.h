#pragma once

// The part of the zone a picture shows: by default what the zone holds, or
// what changed, with a block of the zone around it, on the blocks' grid; or
// the whole zone.

#include <cstdint>

#include "converter/game/Cell.h"
#include "converter/zone/Zone.h"

struct ZoneChanges;

struct CellArea {
    int32_t column = 0;  // the first column and row shown
    int32_t row = 0;
    int32_t columns = 0;  // how many
    int32_t rows = 0;

    int32_t lastColumn() const { return column + columns - 1; }
    int32_t lastRow() const { return row + rows - 1; }
    bool Holds(int64_t c, int64_t r) const {
        return c >= column && c <= lastColumn() && r >= row && r <= lastRow();
    }
};

CellArea WholeZone();

// The cells with ground, markers and waypoints of `zone` (the whole zone
// where it has none), and a block around them.
CellArea ContentArea(const Zone& zone);

// Every cell where something changed from `before` to `after`, and a block
// around them; where nothing changed in place (the header only, or nothing),
// what both zones hold.
CellArea ChangeArea(const Zone& before, const Zone& after, const ZoneChanges& changes);
