#pragma once

// Where a player can walk in a zone, once the ground table says which codes
// are walkable: each cell walkable or not, the walkable areas (cells that
// reach each other), and which of them an entry reaches. A player steps to
// the 8 neighbouring cells, a diagonal step to any walkable cell even
// between two that are not (a wall drawn as a diagonal line of single cells
// does not stop one); or, with `moves = 4`, to the 4 beside it only.

#include <cstdint>
#include <vector>

#include "converter/findings/Finding.h"
#include "converter/game/GameTables.h"
#include "converter/zone/Zone.h"
#include "converter/zone/ZoneGround.h"

class ZoneWalk {
  public:
    ZoneWalk(const Zone& zone, const GroundTable& table, Moves moves);

    bool Walkable(int64_t column, int64_t row) const;
    // Whether an entry on walkable ground reaches the cell.
    bool Reached(int64_t column, int64_t row) const;
    // How many cells the walkable area of a walkable cell holds.
    int64_t AreaCells(int64_t column, int64_t row) const;
    int32_t code(int64_t column, int64_t row) const;
    Moves moves() const { return moves_; }

    // For a description: the walkable cells, those reached, and each area no
    // entry reaches by its size and first cell (row by row), largest first.
    struct Area {
        int64_t cells = 0;
        Cell first;
    };
    int64_t walkableCells() const { return walkableCells_; }
    int64_t reachedCells() const { return reachedCells_; }
    bool hasEntries() const { return hasEntries_; }
    std::vector<Area> CutOff() const;

  private:
    Moves moves_;
    ZoneGround ground_;
    std::vector<uint8_t> walkable_;
    std::vector<int32_t> area_;  // with a border of a cell: negative for none
    std::vector<int64_t> areaCells_;
    std::vector<uint8_t> areaReached_;
    std::vector<Cell> areaFirst_;
    int64_t walkableCells_ = 0;
    int64_t reachedCells_ = 0;
    bool hasEntries_ = false;
};

// The cells a waypoint step from `from` to `to` passes through: those whose
// inside the straight line between the two cells' centres crosses, both ends
// included. Where the line runs exactly through a corner it passes into the
// diagonal cell, as a step to the 8 neighbours does; under 4 moves a player
// must go by one of the two cells beside that corner, and `corner` gets them.
template <class Visit, class Corner>
void StepCells(Cell from, Cell to, Visit visit, Corner corner) {
    const int64_t dx = to.column - from.column;
    const int64_t dy = to.row - from.row;
    const int64_t ax = dx < 0 ? -dx : dx;
    const int64_t ay = dy < 0 ? -dy : dy;
    const int64_t sx = dx < 0 ? -1 : 1;
    const int64_t sy = dy < 0 ? -1 : 1;
    Cell at = from;
    if (!visit(at)) return;
    // The line crosses its ix-th column boundary at (2 ix + 1) / (2 ax) of its
    // length, its iy-th row boundary at (2 iy + 1) / (2 ay).
    for (int64_t ix = 0, iy = 0; ix < ax || iy < ay;) {
        const int64_t across = ix < ax ? (2 * ix + 1) * ay : INT64_MAX;
        const int64_t down = iy < ay ? (2 * iy + 1) * ax : INT64_MAX;
        if (across == down) {
            if (!corner(Cell{at.column + sx, at.row}, Cell{at.column, at.row + sy})) return;
            at.column += sx;
            at.row += sy;
            ++ix;
            ++iy;
        } else if (across < down) {
            at.column += sx;
            ++ix;
        } else {
            at.row += sy;
            ++iy;
        }
        if (!visit(at)) return;
    }
}

// What the walk finds of a zone's markers and paths: marker-blocked,
// unreachable, path-blocked; a zone with markers but no entry once, at
// `mapAt`. Markers and points outside the zone are left to
// object-outside-zone.
Findings WalkFindings(const Zone& zone, const ZoneWalk& walk, const GameTables& tables,
                      tmx::TmxLocation mapAt = {});

// The same where the tables say what is walkable; none where they do not.
Findings WalkFindings(const Zone& zone, const GameTables& tables, tmx::TmxLocation mapAt = {});
