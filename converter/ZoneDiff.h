#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ZoneContent.h"

// What changed from one zone to another, in the zone's own terms: the
// header's values, the ground cell by cell (grouped by 6 x 6 block, never by
// block id), markers added, removed or moved, and waypoint paths paired by
// their points. Two zone scripts that only number or order things
// differently have no changes.
struct ZoneChanges {
    struct Spot {
        int32_t column = 0;
        int32_t row = 0;
        bool operator==(const Spot&) const = default;
        auto operator<=>(const Spot&) const = default;
    };

    // A path whose points stayed but whose id changed is Renumbered.
    enum class Change { Added, Removed, Changed, Renumbered };

    struct Header {
        const char* field;  // "level", "respawn", "title"
        Change change;
        std::optional<std::string> before;  // the number's digits, or the title
        std::optional<std::string> after;
        tmx::TmxLocation at;  // its place in the new zone's file (line 0: none)
    };

    struct Cell {
        Spot at;
        int32_t before;
        int32_t after;
    };
    struct Ground {
        Spot origin;              // the block's first column and row
        std::vector<Cell> cells;  // row by row
    };

    // Entries ('>'), exits ('<'), traps ('*') and mobs (marker 0, by number).
    struct Marker {
        enum class Change { Added, Removed, Moved } change;
        char marker;
        int32_t number;
        Spot before;          // where it was (not for Added)
        Spot after;           // where it is (not for Removed)
        tmx::TmxLocation at;  // its place in the new zone's file (line 0: none)
    };

    struct Point {
        enum class Change { Added, Removed, Moved } change;
        int32_t index;  // 1-based: in the new path, or the old one for Removed
        Spot before;
        Spot after;
    };
    struct Path {
        Change change;
        int32_t id;                // the new path's (not for Removed)
        int32_t oldId;             // the old path's (not for Added)
        std::vector<Spot> points;  // the whole path, when Added or Removed
        std::vector<Point> pointChanges;
        tmx::TmxLocation at;
    };

    std::vector<Header> header;
    std::vector<Ground> ground;
    std::vector<Marker> markers;
    std::vector<Path> paths;

    bool empty() const {
        return header.empty() && ground.empty() && markers.empty() && paths.empty();
    }
};

ZoneChanges DiffZones(const ZoneContent& before, const ZoneContent& after);
