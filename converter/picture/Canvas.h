#pragma once

// A picture in memory: RGB pixels and the few ways this program draws on
// them. Integer arithmetic where it counts, so that a picture has the same
// bytes on every machine.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct Rgb {
    uint8_t r, g, b;
    bool operator==(const Rgb&) const = default;
};

constexpr Rgb kWhite{250, 250, 250};
constexpr Rgb kBlack{0, 0, 0};

class Canvas {
  public:
    // `width` x `height` pixels of `background`; lines are clipped to the
    // picture and a margin of `scale` pixels (the size of a cell).
    Canvas(int32_t scale, int32_t width, int32_t height, Rgb background);

    // From now on, what is drawn at (x, y) lands on the pixel (x + dx, y + dy):
    // a part of a zone drawn in its own coordinates. At and Blit take pixels.
    void Offset(int32_t dx, int32_t dy) {
        dx_ = dx;
        dy_ = dy;
    }

    int32_t scale() const { return scale_; }
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    const std::vector<uint8_t>& pixels() const { return pixels_; }
    Rgb At(int32_t x, int32_t y) const;

    void Set(int32_t x, int32_t y, Rgb colour) { Fill(x, y, x + 1, y + 1, colour); }
    // A pixel laid over what is there by its opacity `alpha` (255: opaque).
    void Blend(int32_t x, int32_t y, Rgb colour, uint8_t alpha);
    // The pixels from (x0, y0) to before (x1, y1), what of them is in the picture.
    void Fill(int32_t x0, int32_t y0, int32_t x1, int32_t y1, Rgb colour);
    // A line `thickness` pixels wide from (x0, y0) to (x1, y1), as Bresenham
    // walks it, cut first to the picture (and a margin) so that points far
    // outside cost nothing.
    void Line(int64_t x0, int64_t y0, int64_t x1, int64_t y1, int32_t thickness, Rgb colour);
    // A rectangle's outline, one pixel wide, from corner (x0, y0) to (x1, y1).
    void Frame(int32_t x0, int32_t y0, int32_t x1, int32_t y1, Rgb colour);
    // Text in the pictures' 3 x 5 typeface, `dot` pixels a dot, its top left
    // corner at (x, y); and a number so written.
    void Text(std::string_view text, int32_t x, int32_t y, int32_t dot, Rgb colour);
    void Number(int64_t number, int32_t x, int32_t y, int32_t dot, Rgb colour);
    // The pixels of a rectangle at 40 % of their brightness.
    void Dim(int32_t x0, int32_t y0, int32_t x1, int32_t y1);
    // `from`'s pixels, its top left corner on the pixel (x, y), what of it
    // fits.
    void Blit(const Canvas& from, int32_t x, int32_t y);

  private:
    // Cuts the segment to the picture and a margin (Liang-Barsky); false when
    // nothing of it is left.
    bool Clip(int64_t& x0, int64_t& y0, int64_t& x1, int64_t& y1) const;

    int32_t scale_;
    int32_t width_;
    int32_t height_;
    int32_t dx_ = 0;
    int32_t dy_ = 0;
    std::vector<uint8_t> pixels_;
};
