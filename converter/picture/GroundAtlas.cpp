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

bool GroundAtlas::DrawCell(int32_t, int32_t, int32_t code, Canvas& canvas, int32_t x, int32_t y,
                           int32_t size) const {
    const int32_t width = image_.width / kAtlasTiles;
    const int32_t height = image_.height / kAtlasTiles;
    DrawImagePart(image_, {code % kAtlasTiles * width, code / kAtlasTiles * height, width, height},
                  canvas, x, y, size);
    return true;
}
