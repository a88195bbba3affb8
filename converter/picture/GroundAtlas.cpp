#include "converter/picture/GroundAtlas.h"

#include <utility>

namespace {

constexpr int32_t kAtlasTiles = 16;  // a side

}  // namespace

std::optional<GroundAtlas> GroundAtlas::FromPng(std::string_view png, std::string& problem) {
    std::optional<PngImage> image = DecodePng(png, problem);
    if (!image) return std::nullopt;
    if (image->width % kAtlasTiles != 0 || image->height % kAtlasTiles != 0 || image->width == 0 ||
        image->height == 0) {
        problem = "its " + std::to_string(image->width) + " x " + std::to_string(image->height) +
                  " pixels are not 16 by 16 tiles of equal size";
        return std::nullopt;
    }
    return GroundAtlas(std::move(*image));
}

void GroundAtlas::DrawTile(int32_t code, Canvas& canvas, int32_t x, int32_t y, int32_t size) const {
    const int32_t tileWidth = image_.width / kAtlasTiles;
    const int32_t tileHeight = image_.height / kAtlasTiles;
    const int32_t left = code % kAtlasTiles * tileWidth;
    const int32_t top = code / kAtlasTiles * tileHeight;
    for (int32_t dy = 0; dy < size; ++dy) {
        const int32_t sourceY = top + dy * tileHeight / size;
        for (int32_t dx = 0; dx < size; ++dx) {
            const int32_t sourceX = left + dx * tileWidth / size;
            const uint8_t* pixel =
                &image_.rgba[(static_cast<size_t>(sourceY) * image_.width + sourceX) * 4];
            canvas.Blend(x + dx, y + dy, {pixel[0], pixel[1], pixel[2]}, pixel[3]);
        }
    }
}
