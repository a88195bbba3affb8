#include "converter/picture/TileArt.h"

#include <utility>

#include "converter/game/ZoneGeometry.h"

TileArt::TileArt() : cells_(size_t{kZoneCells} * kZoneCells) {}

int32_t TileArt::AddImage(PngImage image) {
    images_.push_back(std::move(image));
    return static_cast<int32_t>(images_.size()) - 1;
}

void TileArt::SetCell(int32_t column, int32_t row, int32_t image, const ImagePart& part) {
    if (!InZone(column, row)) return;
    cells_[static_cast<size_t>(row) * kZoneCells + static_cast<size_t>(column)] = {image, part};
}

bool TileArt::DrawCell(int32_t column, int32_t row, int32_t, Canvas& canvas, int32_t x, int32_t y,
                       int32_t size) const {
    if (!InZone(column, row)) return false;
    const Tile& tile = cells_[static_cast<size_t>(row) * kZoneCells + static_cast<size_t>(column)];
    if (tile.image < 0) return false;
    DrawImagePart(images_[static_cast<size_t>(tile.image)], tile.part, canvas, x, y, size);
    return true;
}
