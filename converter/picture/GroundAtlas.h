#pragma once

// The game's own art of its ground codes: one picture of 16 columns by 16 rows
// of equal tiles, tile c (left to right, then top to bottom) the art of code c.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "converter/picture/Canvas.h"
#include "converter/picture/GroundArt.h"
#include "converter/picture/Png.h"

class GroundAtlas : public GroundArt {
  public:
    // The atlas a PNG file holds; the reason in `problem` where it holds none.
    static std::optional<GroundAtlas> FromPng(std::string_view png, std::string& problem);

    // Code `code`'s tile, whichever the cell.
    bool DrawCell(int32_t column, int32_t row, int32_t code, Canvas& canvas, int32_t x, int32_t y,
                  int32_t size) const override;

  private:
    explicit GroundAtlas(PngImage image) : image_(std::move(image)) {}

    PngImage image_;
};
