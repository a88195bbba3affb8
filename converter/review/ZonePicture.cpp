#include "converter/review/ZonePicture.h"

#include <algorithm>
#include <cstddef>
#include <map>
#include <utility>
#include <vector>

#include "converter/findings/Words.h"
#include "converter/game/Objects.h"
#include "converter/picture/GroundArt.h"
#include "converter/picture/GroundColours.h"
#include "converter/review/ChangeDrawing.h"
#include "converter/review/PictureArea.h"
#include "converter/review/PictureSheet.h"
#include "converter/review/ZoneDiff.h"
#include "converter/review/ZoneDrawing.h"
#include "converter/zone/ZoneGround.h"
#include "converter/zone/ZoneWalk.h"

namespace {

using Item = PictureSheet::Item;

// The ground code whose colour the legend's cells show.
constexpr int32_t kSampleCode = 16;

// Whether the picture shows where a player walks: asked, and the tables say.
bool WalkShown(const PictureOptions& options) {
    return options.walk && options.tables != nullptr && options.tables->saysWalkable();
}

void DrawZone(const Zone& zone, const CellArea& area, const PictureOptions& options,
              const GroundArt* art, Canvas& canvas, const ZoneChanges* changes = nullptr) {
    DrawGround(zone, area, art, canvas,
               options.tables != nullptr ? options.tables->ground.get() : nullptr);
    if (changes != nullptr) DimUnchanged(*changes, canvas);
    // After the dimming: an area a change cut off shows though its ground
    // did not change.
    if (WalkShown(options)) {
        DrawWalk(ZoneWalk(zone, *options.tables->ground, options.tables->moves), area, canvas);
    }
}

Item MarkerItem(char marker, std::string words) {
    return {1,
            [marker](Canvas& canvas) {
                DrawCode({0, 0, marker, 0, {}}, canvas);
            },
            std::move(words)};
}

Item CellItem(std::string words, void (*after)(Canvas&), int32_t code = kSampleCode) {
    return {1,
            [after, code](Canvas& canvas) {
                const int32_t s = canvas.scale();
                canvas.Fill(0, 0, s, s, code > 0 ? GroundColour(code) : kNoGround);
                after(canvas);
            },
            std::move(words)};
}

// A ring as the change pictures draw it around a cell, drawn smaller so that
// it fits the legend's line.
Item MarkItem(Rgb colour, std::string words) {
    return {1,
            [colour](Canvas& canvas) {
                const int32_t size = canvas.scale();
                Canvas ring(std::max(2, size / 3), size, size, canvas.At(0, 0));
                ring.Offset((size - ring.scale()) / 2, (size - ring.scale()) / 2);
                MarkCell(0, 0, colour, ring);
                canvas.Blit(ring, 0, 0);
            },
            std::move(words)};
}

// What every picture's legend says: the markers, paths and empty cells.
void AddZoneLegend(PictureSheet& sheet) {
    sheet.AddLegend({MarkerItem(kEntryMarker, "entry"), MarkerItem(kExitMarker, "exit"),
                     MarkerItem(kTrapMarker, "trap"), MarkerItem(0, "mob, and its number")});
    Zone path;
    path.paths.push_back({{1, 0, 0, {}}, {1, 1, 0, {}}});
    sheet.AddLegend({{2, [path](Canvas& canvas) { DrawPaths(path, canvas); },
                      "waypoint path, hollow where it starts"},
                     CellItem(
                         "no ground", [](Canvas&) {}, 0)});
}

void AddWalkLegend(PictureSheet& sheet, const PictureOptions& options) {
    if (!options.walk) return;
    if (!WalkShown(options)) {
        // Asked for, but nothing says what is walkable: said where it is looked for.
        sheet.AddLegend(
            {{0, [](Canvas&) {}, "walking not drawn: no ground table with a walkable column"}});
        return;
    }
    const std::string moves = options.tables->moves == Moves::Four ? "4" : "8";
    sheet.AddLegend(
        {CellItem("hatched: not walkable", [](Canvas& canvas) { HatchCell(0, 0, canvas); }),
         CellItem("tinted: walkable, but no entry reaches it (" + moves + " moves)",
                  [](Canvas& canvas) { TintCell(0, 0, canvas); })});
}

void AddChangeLegend(PictureSheet& sheet) {
    sheet.AddLegend(
        {CellItem("dimmed: ground that did not change",
                  [](Canvas& canvas) { canvas.Dim(0, 0, canvas.scale(), canvas.scale()); }),
         CellItem("framed: ground that changed", [](Canvas& canvas) { FrameCell(0, 0, canvas); })});
}

// How many codes and mobs a legend names, and how many a line.
constexpr size_t kLegendCodes = 12;
constexpr size_t kLegendMobs = 8;
constexpr size_t kLegendItemsALine = 4;

// The legend of what the tables name in the picture: the ground codes it
// shows, most cells first, each with its swatch (or its art) and name; then
// the mobs, with their numbers and names; what does not fit, counted.
void AddTableLegend(PictureSheet& sheet, const std::vector<const Zone*>& zones,
                    const CellArea& area, const PictureOptions& options, const GroundArt* art) {
    const GameTables* tables = options.tables;
    if (tables == nullptr) return;
    const auto lines = [&](std::vector<Item> items, size_t all, const char* what) {
        if (all > items.size()) {
            items.push_back({0, {}, "and " + std::to_string(all - items.size()) + " more " + what});
        }
        for (size_t i = 0; i < items.size(); i += kLegendItemsALine) {
            sheet.AddLegend({items.begin() + static_cast<std::ptrdiff_t>(i),
                             items.begin() + static_cast<std::ptrdiff_t>(
                                                 std::min(items.size(), i + kLegendItemsALine))});
        }
    };
    if (tables->ground) {
        std::map<int32_t, std::pair<int64_t, Cell>> shown;  // a code, its cells and the first
        for (const Zone* zone : zones) {
            const ZoneGround ground(*zone);
            for (int32_t row = area.row; row <= area.lastRow(); ++row)
                for (int32_t column = area.column; column <= area.lastColumn(); ++column)
                    if (const int32_t code = ground.At(column, row); code != 0) {
                        auto& [cells, first] =
                            shown.try_emplace(code, 0, Cell{column, row}).first->second;
                        ++cells;
                    }
        }
        std::vector<std::pair<int32_t, std::pair<int64_t, Cell>>> codes(shown.begin(), shown.end());
        std::stable_sort(codes.begin(), codes.end(), [](const auto& a, const auto& b) {
            return a.second.first > b.second.first;
        });
        std::vector<Item> items;
        const GroundTable* table = tables->ground.get();
        for (size_t i = 0; i < codes.size() && i < kLegendCodes; ++i) {
            const int32_t code = codes[i].first;
            const Cell first = codes[i].second.second;
            items.push_back({1,
                             [code, first, art, table](Canvas& canvas) {
                                 const int32_t s = canvas.scale();
                                 if (art == nullptr || !art->DrawCell(first.column, first.row, code,
                                                                      canvas, 0, 0, s)) {
                                     canvas.Fill(0, 0, s, s, GroundColour(code, table));
                                 }
                             },
                             CodeWords(code, tables)});
        }
        lines(std::move(items), codes.size(), "ground codes");
    }
    if (tables->mobs) {
        std::vector<int32_t> mobs;
        for (const Zone* zone : zones)
            for (const Zone::Code& code : zone->codes)
                if (code.marker == kMobMarker && area.Holds(code.column, code.row) &&
                    std::find(mobs.begin(), mobs.end(), code.number) == mobs.end()) {
                    mobs.push_back(code.number);
                }
        std::sort(mobs.begin(), mobs.end());
        std::vector<Item> items;
        for (size_t i = 0; i < mobs.size() && i < kLegendMobs; ++i)
            items.push_back(MarkerItem(kMobMarker, MobWords(mobs[i], tables)));
        lines(std::move(items), mobs.size(), "mobs");
    }
}

}  // namespace

std::string DrawZonePicture(const Zone& zone, const PictureOptions& options) {
    const int32_t s = std::clamp(options.scale, 1, kMaxPictureScale);
    const CellArea area = options.wholeZone ? WholeZone() : ContentArea(zone);
    PictureSheet sheet(area, s);
    sheet.AddPanel("", [&](Canvas& canvas) {
        DrawZone(zone, area, options, options.art, canvas);
        DrawPaths(zone, canvas);
        DrawCodes(zone, canvas);
    });
    AddZoneLegend(sheet);
    AddTableLegend(sheet, {&zone}, area, options, options.art);
    AddWalkLegend(sheet, options);
    return sheet.Png();
}

std::string DrawZoneChange(const Zone& before, const Zone& after, const ZoneChanges& changes,
                           const PictureOptions& options) {
    const int32_t s = std::clamp(options.scale, 1, kMaxPictureScale);
    const CellArea area = options.wholeZone ? WholeZone() : ChangeArea(before, after, changes);
    PictureSheet sheet(area, s);
    for (const auto& [title, zone, art, side] :
         {std::tuple{"before", &before, options.artBefore, Side::Before},
          std::tuple{"after", &after, options.art, Side::After}}) {
        sheet.AddPanel(title, [&, zone = zone, art = art, side = side](Canvas& canvas) {
            DrawZone(*zone, area, options, art, canvas, &changes);
            DrawPaths(*zone, canvas);
            DrawCodes(*zone, canvas);
            MarkChanges(changes, side, canvas);
        });
    }
    AddZoneLegend(sheet);
    AddTableLegend(sheet, {&before, &after}, area, options, options.art);
    AddWalkLegend(sheet, options);
    AddChangeLegend(sheet);
    sheet.AddLegend({MarkItem(kRemovedColour, "removed, before"),
                     MarkItem(kAddedColour, "added, after"),
                     MarkItem(kMovedColour, "moved: its old place before, its new one after")});
    return sheet.Png();
}

std::string DrawZoneOverlay(const Zone& before, const Zone& after, const ZoneChanges& changes,
                            const PictureOptions& options) {
    const int32_t s = std::clamp(options.scale, 1, kMaxPictureScale);
    const CellArea area = options.wholeZone ? WholeZone() : ChangeArea(before, after, changes);
    PictureSheet sheet(area, s);
    sheet.AddPanel("", [&](Canvas& canvas) {
        DrawZone(after, area, options, options.art, canvas, &changes);
        DrawGhosts(changes, canvas);
        DrawPaths(after, canvas);
        DrawCodes(after, canvas);
    });
    AddZoneLegend(sheet);
    AddTableLegend(sheet, {&before, &after}, area, options, options.art);
    AddWalkLegend(sheet, options);
    AddChangeLegend(sheet);
    sheet.AddLegend({{1,
                      [](Canvas& canvas) {
                          DrawCode({0, 0, kTrapMarker, 0, {}}, canvas, &kGhostColour);
                      },
                      "grey: gone, or where it moved from, with a line to where it went"}});
    return sheet.Png();
}
