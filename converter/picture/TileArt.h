#pragma once

// The ground as a map draws it: each cell of the zone in the tile of the map
// that decided it, from the tilesets' images.

#include <cstdint>
#include <vector>

#include "converter/picture/GroundArt.h"
#include "converter/picture/Png.h"

class TileArt : public GroundArt {
  public:
    TileArt();

    // An image the tiles are parts of; its index.
    int32_t AddImage(PngImage image);
    // Cell (column, row) of the zone is drawn as `part` of image `image`.
    void SetCell(int32_t column, int32_t row, int32_t image, const ImagePart& part);

    bool DrawCell(int32_t column, int32_t row, int32_t code, Canvas& canvas, int32_t x, int32_t y,
                  int32_t size) const override;

  private:
    struct Tile {
        int32_t image = -1;  // none: no art
        ImagePart part;
    };
    std::vector<PngImage> images_;
    std::vector<Tile> cells_;  // row by row
};
