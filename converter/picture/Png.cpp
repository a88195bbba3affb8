#include "converter/picture/Png.h"

#include <png.h>
#include <zlib.h>

#include <csetjmp>

namespace {

void Append(png_structp png, png_bytep data, png_size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), length);
}

void Flush(png_structp) {}

// Appends the PNG bytes of `canvas` to `out`; false when libpng fails.
bool Encode(const Canvas& canvas, std::string& out) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    // libpng reports its errors by a long jump to here; nothing on the way
    // owns anything.
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    const auto width = static_cast<png_uint_32>(canvas.width());
    const auto height = static_cast<png_uint_32>(canvas.height());
    png_set_write_fn(png, &out, Append, Flush);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    // Cells repeat rows and runs of pixels: "up" and run lengths say that fast.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
    png_set_compression_strategy(png, Z_RLE);
    png_set_compression_level(png, 1);
    png_write_info(png, info);
    const uint8_t* row = canvas.pixels().data();
    for (png_uint_32 y = 0; y < height; ++y, row += size_t{width} * 3)
        png_write_row(png, row);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

std::string EncodePng(const Canvas& canvas) {
    std::string out;
    if (!Encode(canvas, out)) out.clear();
    return out;
}

std::optional<PngImage> DecodePng(std::string_view bytes, std::string& problem) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) {
        problem = "it is no PNG image";
        return std::nullopt;
    }
    if (uint64_t{image.width} * image.height > (uint64_t{1} << 26)) {
        png_image_free(&image);
        problem = "it is too large, " + std::to_string(image.width) + " x " +
                  std::to_string(image.height) + " pixels";
        return std::nullopt;
    }
    image.format = PNG_FORMAT_RGBA;
    PngImage read;
    read.width = static_cast<int32_t>(image.width);
    read.height = static_cast<int32_t>(image.height);
    read.rgba.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, read.rgba.data(), 0, nullptr)) {
        problem = "its PNG data is damaged";
        return std::nullopt;
    }
    return read;
}
