#pragma once

// A picture laid out for a reader: one or more panels of the same cells side
// by side, each with its title and the cells' numbers along its top and left
// edges at every block, and a legend strip under them.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "converter/picture/Canvas.h"
#include "converter/picture/Font.h"
#include "converter/review/PictureArea.h"

class PictureSheet {
  public:
    PictureSheet(const CellArea& area, int32_t scale);

    // The dot of the text at a scale, in pixels.
    static int32_t DotAt(int32_t scale) { return scale < 2 ? 1 : (scale + 4) / 6; }

    // A panel of the area's cells: `draw` draws in the zone's own coordinates
    // on a canvas of the area, the background's grey.
    void AddPanel(std::string title, const std::function<void(Canvas&)>& draw);

    // A line of the legend: samples, each `cells` cells of the legend's size
    // wide, drawn as a picture of the zone would draw them at cell (0, 0),
    // and what they mean.
    struct Item {
        int32_t cells = 1;
        std::function<void(Canvas&)> sample;
        std::string words;
    };
    void AddLegend(std::vector<Item> line);

    // The sheet as PNG bytes, the scale and the corner cells as the legend's
    // last line; empty when the PNG library fails.
    std::string Png() const;

    // The top left pixel of panel `index` (0: the left one) of a sheet of
    // `columns` cells a panel, with titles or without.
    struct Pixel {
        int32_t x;
        int32_t y;
    };
    static Pixel PanelOrigin(int32_t scale, int32_t columns, bool titled, int32_t index);

    // The size of the legend's samples, in pixels.
    int32_t sampleSize() const { return (kGlyphAscent + 2) * dot_; }

  private:
    CellArea area_;
    int32_t scale_;
    int32_t dot_;
    std::vector<std::pair<std::string, Canvas>> panels_;
    std::vector<std::vector<Item>> legend_;
};
