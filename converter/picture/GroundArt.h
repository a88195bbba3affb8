#pragma once

// What draws a cell's ground in art rather than in its code's colour: the
// game's atlas of its codes, or a map's own tiles.

#include <cstdint>

#include "converter/picture/Canvas.h"
#include "converter/picture/Png.h"

class GroundArt {
  public:
    virtual ~GroundArt() = default;

    // Draws cell (column, row), whose ground is code `code`, as `size` x
    // `size` pixels from (x, y); false where there is no art for it, and
    // nothing drawn.
    virtual bool DrawCell(int32_t column, int32_t row, int32_t code, Canvas& canvas, int32_t x,
                          int32_t y, int32_t size) const = 0;
};

// A rectangle of an image, and how Tiled turns it: flipped across its
// diagonal first, then horizontally, then vertically.
struct ImagePart {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool flipHorizontal = false;
    bool flipVertical = false;
    bool flipDiagonal = false;
};

// The part of `image` scaled to `size` x `size` pixels from (x, y), each
// pixel the part's nearest, laid over what is there by its opacity.
void DrawImagePart(const PngImage& image, const ImagePart& part, Canvas& canvas, int32_t x,
                   int32_t y, int32_t size);
