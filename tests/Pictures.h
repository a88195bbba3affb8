// Pictures decoded again for the tests, and their cells found in them.

#pragma once

#include <png.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "converter/review/PictureArea.h"
#include "converter/review/PictureSheet.h"

struct Pixel {
    int r, g, b;
    bool operator==(const Pixel&) const = default;
};

// An RGBA picture as PNG bytes.
inline std::string PngOf(int32_t width, int32_t height, const std::vector<uint8_t>& rgba) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr);
    std::string png(size, '\0');
    png_image_write_to_memory(&image, png.data(), &size, 0, rgba.data(), 0, nullptr);
    png.resize(size);
    return png;
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// A PNG decoded to RGB; a cell's pixels found in its panel: panel `panel`
// (0: the left one) of the area's cells, titled or not, `scale` pixels a cell.
class Picture {
  public:
    Picture() = default;
    explicit Picture(const std::string& png, int32_t scale = 8, CellArea area = WholeZone(),
                     bool titled = false, int32_t panel = 0)
        : scale_(scale), area_(area) {
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        if (!png_image_begin_read_from_memory(&image, png.data(), png.size())) return;
        image.format = PNG_FORMAT_RGB;
        rgb_.resize(PNG_IMAGE_SIZE(image));
        if (!png_image_finish_read(&image, nullptr, rgb_.data(), 0, nullptr)) rgb_.clear();
        width_ = static_cast<int32_t>(image.width);
        height_ = static_cast<int32_t>(image.height);
        origin_ = PictureSheet::PanelOrigin(scale, area.columns, titled, panel);
    }
    bool empty() const { return rgb_.empty(); }
    const std::vector<uint8_t>& rgb() const { return rgb_; }
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    Pixel Raw(int32_t x, int32_t y) const {
        const size_t k = (static_cast<size_t>(y) * width_ + x) * 3;
        return {rgb_[k], rgb_[k + 1], rgb_[k + 2]};
    }
    // The pixel (dx, dy) of cell (column, row); its middle by default.
    Pixel At(int32_t column, int32_t row, int32_t dx = -1, int32_t dy = -1) const {
        return Raw(origin_.x + (column - area_.column) * scale_ + (dx < 0 ? scale_ / 2 : dx),
                   origin_.y + (row - area_.row) * scale_ + (dy < 0 ? scale_ / 2 : dy));
    }
    // The panel's pixels, row by row.
    std::vector<Pixel> Panel() const {
        std::vector<Pixel> pixels;
        for (int32_t y = 0; y < area_.rows * scale_; ++y)
            for (int32_t x = 0; x < area_.columns * scale_; ++x)
                pixels.push_back(Raw(origin_.x + x, origin_.y + y));
        return pixels;
    }

  private:
    int32_t scale_ = 8;
    CellArea area_;
    PictureSheet::Pixel origin_{0, 0};
    std::vector<uint8_t> rgb_;
    int32_t width_ = 0;
    int32_t height_ = 0;
};
