#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "converter/game/Cell.h"
#include "converter/game/GameTables.h"
#include "converter/zone/Zone.h"

// What changed from one zone to another, in the zone's own terms: the
// header's values, the ground cell by cell (grouped by 6 x 6 block, never by
// block id), markers added, removed or moved, and waypoint paths paired by
// their points. Two zone scripts that only number or order things
// differently have no changes.
struct ZoneChanges {
    // What happened to a thing: a header value or a path added, removed or
    // changed; a path renumbered (its points stayed, its id changed); a
    // marker or a point moved.
    enum class Change { Added, Removed, Changed, Renumbered, Moved };

    struct Header {
        const char* field;  // "level", "respawn", "title"
        Change change;
        std::optional<std::string> before;  // the number's digits, or the title
        std::optional<std::string> after;
        tmx::TmxLocation at;  // its place in the new zone's file (line 0: none)
    };

    struct CellChange {
        Cell at;
        int32_t before;
        int32_t after;
    };
    struct Ground {
        Cell origin;                    // the block's first column and row
        std::vector<CellChange> cells;  // row by row
    };

    // Entries ('>'), exits ('<'), traps ('*') and mobs (marker 0, by number).
    struct Marker {
        Change change;  // Added, Removed or Moved
        char marker;
        int32_t number;
        Cell before;          // where it was (not for Added)
        Cell after;           // where it is (not for Removed)
        tmx::TmxLocation at;  // its place in the new zone's file (line 0: none)
    };

    struct Point {
        Change change;  // Added, Removed or Moved
        int32_t index;  // 1-based: in the new path, or the old one for Removed
        Cell before;
        Cell after;
    };
    struct Path {
        Change change;
        int32_t id;                // the new path's (not for Removed)
        int32_t oldId;             // the old path's (not for Added)
        std::vector<Cell> points;  // the whole path, when Added or Removed
        std::vector<Point> pointChanges;
        tmx::TmxLocation at;
    };

    // Where the tables say what is walkable: an exit, mob, trap or path's
    // first point that an entry no longer reaches, or reaches again.
    struct Reach {
        bool reached = false;  // now reached; before not
        char marker = 0;       // or a path's first point: pathId set
        int32_t number = 0;
        int32_t pathId = 0;
        Cell at;
        tmx::TmxLocation where;  // its place in the new zone's file
    };

    std::vector<Header> header;
    std::vector<Ground> ground;
    std::vector<Marker> markers;
    std::vector<Path> paths;
    std::vector<Reach> reach;

    bool empty() const {
        return header.empty() && ground.empty() && markers.empty() && paths.empty() &&
               reach.empty();
    }
};

ZoneChanges DiffZones(const Zone& before, const Zone& after);

// Adds to `changes` (those DiffZones found) what became unreachable or
// reachable again, where `tables` say what is walkable.
void DiffReach(const Zone& before, const Zone& after, const GameTables& tables,
               ZoneChanges& changes);
