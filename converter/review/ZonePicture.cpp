#include "converter/review/ZonePicture.h"

#include <algorithm>
#include <vector>

#include "converter/game/Objects.h"
#include "converter/picture/GroundColours.h"
#include "converter/review/ChangeDrawing.h"
#include "converter/review/PictureArea.h"
#include "converter/review/PictureSheet.h"
#include "converter/review/ZoneDiff.h"
#include "converter/review/ZoneDrawing.h"

namespace {

using Item = PictureSheet::Item;

// The ground code whose colour the legend's cells show.
constexpr int32_t kSampleCode = 16;

void DrawZone(const Zone& zone, const CellArea& area, const GroundArt* art, Canvas& canvas,
              const ZoneChanges* changes = nullptr) {
    DrawGround(zone, area, art, canvas);
    if (changes != nullptr) DimUnchanged(*changes, canvas);
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

void AddChangeLegend(PictureSheet& sheet) {
    sheet.AddLegend(
        {CellItem("dimmed: ground that did not change",
                  [](Canvas& canvas) { canvas.Dim(0, 0, canvas.scale(), canvas.scale()); }),
         CellItem("framed: ground that changed", [](Canvas& canvas) { FrameCell(0, 0, canvas); })});
}

}  // namespace

std::string DrawZonePicture(const Zone& zone, const PictureOptions& options) {
    const int32_t s = std::clamp(options.scale, 1, kMaxPictureScale);
    const CellArea area = options.wholeZone ? WholeZone() : ContentArea(zone);
    PictureSheet sheet(area, s);
    sheet.AddPanel("", [&](Canvas& canvas) {
        DrawZone(zone, area, options.art, canvas);
        DrawPaths(zone, canvas);
        DrawCodes(zone, canvas);
    });
    AddZoneLegend(sheet);
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
            DrawZone(*zone, area, art, canvas, &changes);
            DrawPaths(*zone, canvas);
            DrawCodes(*zone, canvas);
            MarkChanges(changes, side, canvas);
        });
    }
    AddZoneLegend(sheet);
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
        DrawZone(after, area, options.art, canvas, &changes);
        DrawGhosts(changes, canvas);
        DrawPaths(after, canvas);
        DrawCodes(after, canvas);
    });
    AddZoneLegend(sheet);
    AddChangeLegend(sheet);
    sheet.AddLegend({{1,
                      [](Canvas& canvas) {
                          DrawCode({0, 0, kTrapMarker, 0, {}}, canvas, &kGhostColour);
                      },
                      "grey: gone, or where it moved from, with a line to where it went"}});
    return sheet.Png();
}
