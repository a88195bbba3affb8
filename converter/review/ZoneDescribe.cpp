#include "converter/review/ZoneDescribe.h"

#include <algorithm>
#include <tuple>

#include "converter/findings/Words.h"
#include "converter/game/Cell.h"
#include "converter/game/Objects.h"
#include "converter/text/Escape.h"
#include "converter/text/Lists.h"
#include "converter/zone/ZoneGround.h"
#include "converter/zone/ZoneWalk.h"

namespace {

void DescribeGround(const Zone& zone, const GameTables* tables, std::string& text) {
    const bool named = tables != nullptr && tables->ground;
    const ZoneGround ground(zone);
    for (int32_t row0 = 0; row0 < kZoneCells; row0 += kBlockCells) {
        for (int32_t column0 = 0; column0 < kZoneCells; column0 += kBlockCells) {
            for (int32_t row = row0; row < std::min(row0 + kBlockCells, kZoneCells); ++row) {
                int32_t codes[kBlockCells];
                bool any = false;
                for (int32_t dx = 0; dx < kBlockCells; ++dx) {
                    const int32_t column = column0 + dx;
                    codes[dx] = InZone(column, row) ? ground.At(column, row) : 0;
                    any = any || codes[dx] != 0;
                }
                if (!any) continue;
                text.append("ground ").append(CellWords({column0, row0}));
                text.append(" row ").append(std::to_string(row - row0 + 1)).append(":");
                for (int32_t dx = 0; dx < kBlockCells; ++dx)
                    text.append(dx > 0 && named ? ", " : " ").append(CodeWords(codes[dx], tables));
                text.append("\n");
            }
        }
    }
}

void DescribeMarkers(const Zone& zone, const GameTables* tables, std::string& text) {
    std::vector<std::tuple<int, int32_t, int32_t, int32_t>> markers;
    for (const Zone::Code& code : zone.codes) {
        markers.emplace_back(MarkerRank(code.marker), code.marker == kMobMarker ? code.number : 0,
                             code.row, code.column);
    }
    std::sort(markers.begin(), markers.end());
    for (const auto& [kind, number, row, column] : markers) {
        text.append(kind == kMobRank ? MobWords(number, tables) : kMarkerNames[kind]);
        text.append(" ").append(CellWords({column, row})).append("\n");
    }
}

void DescribePaths(const Zone& zone, std::string& text) {
    std::vector<std::string> paths;
    for (const Zone::Path& path : zone.paths) {
        if (path.empty()) continue;  // a path start without points leads nowhere
        std::string line = "path";
        for (const Zone::Waypoint& point : path)
            line.append(" ").append(CellWords({point.column, point.row}));
        paths.push_back(line.append(": id ").append(std::to_string(path.front().pathId)));
    }
    std::sort(paths.begin(), paths.end());
    for (const std::string& path : paths)
        text.append(path).append("\n");
}

// One line on where a player walks: the walkable cells, those the entries
// reach, and the areas cut off, largest first, each with a cell of it.
void DescribeWalk(const Zone& zone, const GameTables& tables, std::string& text) {
    const ZoneWalk walk(zone, *tables.ground, tables.moves);
    const std::vector<ZoneWalk::Area> cutOff = walk.CutOff();
    text.append("walking (").append(tables.moves == Moves::Four ? "4" : "8").append(" moves): ");
    text.append(std::to_string(walk.walkableCells())).append(" walkable cells, ");
    if (walk.hasEntries()) {
        text.append(std::to_string(walk.reachedCells())).append(" reached from the entries");
    } else {
        text.append("no entry to reach them from");
    }
    if (!cutOff.empty()) {
        text.append("; ").append(Plural(static_cast<int64_t>(cutOff.size()), "area", "areas"));
        text.append(" cut off: ");
        text.append(Listed(cutOff, [](const ZoneWalk::Area& area) {
            return Plural(area.cells, "cell", "cells") + " at " + CellWords(area.first);
        }));
    }
    text.append("\n");
}

}  // namespace

std::string DescribeZone(const Zone& zone, const GameTables* tables) {
    std::string text;
    if (zone.level) text.append("level ").append(std::to_string(*zone.level)).append("\n");
    if (zone.respawn) text.append("respawn ").append(std::to_string(*zone.respawn)).append("\n");
    if (zone.title) text.append("title ").append(QuotedText(*zone.title)).append("\n");
    DescribeGround(zone, tables, text);
    DescribeMarkers(zone, tables, text);
    DescribePaths(zone, text);
    if (tables != nullptr && tables->saysWalkable()) DescribeWalk(zone, *tables, text);
    return text;
}
