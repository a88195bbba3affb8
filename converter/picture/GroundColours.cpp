#include "converter/picture/GroundColours.h"

// Ground code c (1 to 255) gets the hue c x 137.508 degrees (the golden
// angle, so that neighbouring codes lie far apart on the colour wheel), a
// saturation of 85 % for even codes and 55 % for odd ones, and a value of 70 %
// for codes divisible by 3, 95 % for the others. Integer arithmetic: the same
// bytes everywhere.
Rgb GroundColour(int32_t code) {
    const int32_t hue = (code * 137508) % 360000;  // thousandths of a degree
    const int32_t saturation = code % 2 == 0 ? 85 : 55;
    const int32_t value = code % 3 == 0 ? 70 : 95;
    const int32_t sector = hue / 60000;
    const int32_t within = hue % 60000;
    const int32_t v = value * 255 / 100;
    const int32_t p = v * (100 - saturation) / 100;
    const int32_t q = v * (100 * 60000 - saturation * within) / (100 * 60000);
    const int32_t t = v * (100 * 60000 - saturation * (60000 - within)) / (100 * 60000);
    const auto rgb = [](int32_t r, int32_t g, int32_t b) {
        return Rgb{static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b)};
    };
    switch (sector) {
        case 0:
            return rgb(v, t, p);
        case 1:
            return rgb(q, v, p);
        case 2:
            return rgb(p, v, t);
        case 3:
            return rgb(p, q, v);
        case 4:
            return rgb(t, p, v);
        default:
            return rgb(v, p, q);
    }
}

Rgb GroundColour(int32_t code, const GroundTable* table) {
    const GroundKind* kind = table != nullptr ? table->Of(code) : nullptr;
    if (kind == nullptr || !kind->colour) return GroundColour(code);
    const uint32_t colour = *kind->colour;
    return Rgb{static_cast<uint8_t>(colour >> 16), static_cast<uint8_t>(colour >> 8),
               static_cast<uint8_t>(colour)};
}
