#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "converter/picture/Canvas.h"

// The PNG bytes of a picture: RGB, 8 bits a channel; the same picture gives
// the same bytes. Empty when the PNG library fails.
std::string EncodePng(const Canvas& canvas);

// A PNG image read into RGBA pixels, 8 bits a channel, row by row.
struct PngImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> rgba;
};

// What `bytes` hold as a PNG image; the reason in `problem` where they are no
// PNG, or one of more than 2^26 pixels, which no ground art needs.
std::optional<PngImage> DecodePng(std::string_view bytes, std::string& problem);
