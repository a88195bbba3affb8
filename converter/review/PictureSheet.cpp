#include "converter/review/PictureSheet.h"

#include <algorithm>
#include <utility>

#include "converter/game/ZoneGeometry.h"
#include "converter/picture/Font.h"
#include "converter/picture/GroundColours.h"
#include "converter/picture/Png.h"

namespace {

constexpr Rgb kPaper{24, 24, 24};  // around the panels, under the legend
constexpr Rgb kInk{225, 225, 225};
constexpr Rgb kTick{130, 130, 130};

int32_t TextWidth(const std::string& text, int32_t dot) {
    return text.empty() ? 0 : (static_cast<int32_t>(text.size()) * kGlyphAdvance - 1) * dot;
}

// The sheet's measures at a scale: a line of text or of the legend, the
// margin, the room for the left edge's numbers, and the gap between panels.
struct Measures {
    explicit Measures(int32_t scale)
        : dot(PictureSheet::DotAt(scale)),
          line((kGlyphHeight + 3) * dot),
          margin(2 * dot),
          axis(TextWidth("000", dot) + 2 * dot),
          gap(3 * line) {}
    int32_t dot;
    int32_t line;
    int32_t margin;
    int32_t axis;
    int32_t gap;
};

}  // namespace

PictureSheet::PictureSheet(const CellArea& area, int32_t scale)
    : area_(area), scale_(scale), dot_(DotAt(scale)) {}

PictureSheet::Pixel PictureSheet::PanelOrigin(int32_t scale, int32_t columns, bool titled,
                                              int32_t index) {
    const Measures m(scale);
    return {m.margin + m.axis + index * (m.axis + columns * scale + m.gap),
            m.margin + (titled ? m.line : 0) + m.line};
}

void PictureSheet::AddPanel(std::string title, const std::function<void(Canvas&)>& draw) {
    Canvas panel(scale_, area_.columns * scale_, area_.rows * scale_, kNoGround);
    panel.Offset(-area_.column * scale_, -area_.row * scale_);
    draw(panel);
    panel.Offset(0, 0);
    panels_.emplace_back(std::move(title), std::move(panel));
}

void PictureSheet::AddLegend(std::vector<Item> line) {
    legend_.push_back(std::move(line));
}

std::string PictureSheet::Png() const {
    const int32_t s = scale_;
    const Measures measures(s);
    const int32_t d = measures.dot;
    const int32_t line = measures.line;
    const int32_t margin = measures.margin;
    const int32_t axis = measures.axis;
    const int32_t gap = measures.gap;

    // The numbers stand at every block, or every few where a block is too
    // narrow for three digits.
    int32_t step = kBlockCells;
    while (step * s < axis && step < kZoneCells)
        step += kBlockCells;

    const bool titled = std::any_of(panels_.begin(), panels_.end(),
                                    [](const auto& panel) { return !panel.first.empty(); });
    const int32_t panelTop = PanelOrigin(s, area_.columns, titled, 0).y;
    const int32_t panelWidth = area_.columns * s;
    const int32_t panelsWidth =
        static_cast<int32_t>(panels_.size()) * (axis + panelWidth + gap) - gap;

    std::vector<std::vector<Item>> legend = legend_;
    legend.push_back(
        {{0,
          {},
          std::to_string(s) + " px a cell; cells (" + std::to_string(area_.column) + ", " +
              std::to_string(area_.row) + ") to (" + std::to_string(area_.lastColumn()) + ", " +
              std::to_string(area_.lastRow()) + ")"}});
    const auto itemWidth = [&](const Item& item) {
        return item.cells * sampleSize() + (item.cells > 0 ? 2 * d : 0) + TextWidth(item.words, d) +
               3 * line / 2;
    };
    int32_t legendWidth = 0;
    for (const std::vector<Item>& items : legend) {
        int32_t width = 0;
        for (const Item& item : items)
            width += itemWidth(item);
        legendWidth = std::max(legendWidth, width);
    }
    const int32_t legendTop = panelTop + area_.rows * s + line;
    // Room on the right for the last number along the top.
    const int32_t width = margin * 2 + std::max(panelsWidth + axis, legendWidth);
    const int32_t height = legendTop + static_cast<int32_t>(legend.size()) * line + margin;

    Canvas sheet(s, width, height, kPaper);
    for (size_t index = 0; index < panels_.size(); ++index) {
        const auto& [title, panel] = panels_[index];
        const int32_t x = PanelOrigin(s, area_.columns, titled, static_cast<int32_t>(index)).x;
        sheet.Text(title, x, margin + d, d, kInk);
        sheet.Blit(panel, x, panelTop);
        for (int32_t column = (area_.column + step - 1) / step * step; column <= area_.lastColumn();
             column += step) {
            const int32_t at = x + (column - area_.column) * s;
            sheet.Number(column, at, panelTop - line + d, d, kInk);
            sheet.Fill(at, panelTop - d, at + 1, panelTop, kTick);
        }
        for (int32_t row = (area_.row + step - 1) / step * step; row <= area_.lastRow();
             row += step) {
            const int32_t at = panelTop + (row - area_.row) * s;
            const std::string number = std::to_string(row);
            sheet.Text(number, x - 2 * d - TextWidth(number, d), at, d, kInk);
            sheet.Fill(x - d, at, x, at + 1, kTick);
        }
    }
    int32_t top = legendTop;
    for (const std::vector<Item>& items : legend) {
        int32_t x = margin;
        for (const Item& item : items) {
            if (item.cells > 0) {
                Canvas sample(sampleSize(), item.cells * sampleSize(), sampleSize(), kPaper);
                item.sample(sample);
                sheet.Blit(sample, x, top);
                x += item.cells * sampleSize() + 2 * d;
            }
            sheet.Text(item.words, x, top + d, d, kInk);
            x += TextWidth(item.words, d) + 3 * line / 2;
        }
        top += line;
    }
    return EncodePng(sheet);
}
