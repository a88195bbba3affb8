#include "converter/picture/Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "converter/picture/Font.h"

Canvas::Canvas(int32_t scale, int32_t width, int32_t height, Rgb background)
    : scale_(scale),
      width_(width),
      height_(height),
      pixels_(static_cast<size_t>(width) * static_cast<size_t>(height) * 3) {
    Fill(0, 0, width, height, background);
}

Rgb Canvas::At(int32_t x, int32_t y) const {
    const uint8_t* pixel = &pixels_[(static_cast<size_t>(y) * width_ + x) * 3];
    return {pixel[0], pixel[1], pixel[2]};
}

void Canvas::Fill(int32_t x0, int32_t y0, int32_t x1, int32_t y1, Rgb colour) {
    x0 += dx_;
    x1 += dx_;
    y0 += dy_;
    y1 += dy_;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, width_);
    for (int32_t y = std::max(y0, 0); y < std::min(y1, height_); ++y) {
        uint8_t* pixel = &pixels_[(static_cast<size_t>(y) * width_ + x0) * 3];
        for (int32_t x = x0; x < x1; ++x, pixel += 3) {
            pixel[0] = colour.r;
            pixel[1] = colour.g;
            pixel[2] = colour.b;
        }
    }
}

void Canvas::Blend(int32_t x, int32_t y, Rgb colour, uint8_t alpha) {
    x += dx_;
    y += dy_;
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    uint8_t* pixel = &pixels_[(static_cast<size_t>(y) * width_ + x) * 3];
    if (alpha == 0) return;
    if (alpha == 255) {  // most art: what is there is covered
        pixel[0] = colour.r;
        pixel[1] = colour.g;
        pixel[2] = colour.b;
        return;
    }
    const uint8_t over[3] = {colour.r, colour.g, colour.b};
    for (int channel = 0; channel < 3; ++channel)
        pixel[channel] = static_cast<uint8_t>(
            (over[channel] * alpha + pixel[channel] * (255 - alpha) + 127) / 255);
}

void Canvas::Line(int64_t x0, int64_t y0, int64_t x1, int64_t y1, int32_t thickness, Rgb colour) {
    x0 += dx_;
    x1 += dx_;
    y0 += dy_;
    y1 += dy_;
    if (!Clip(x0, y0, x1, y1)) return;
    const int64_t dx = std::llabs(x1 - x0);
    const int64_t dy = -std::llabs(y1 - y0);
    const int64_t sx = x0 < x1 ? 1 : -1;
    const int64_t sy = y0 < y1 ? 1 : -1;
    int64_t error = dx + dy;
    const int32_t half = thickness / 2;
    for (;;) {
        const auto x = static_cast<int32_t>(x0) - half - dx_;
        const auto y = static_cast<int32_t>(y0) - half - dy_;
        Fill(x, y, x + thickness, y + thickness, colour);
        if (x0 == x1 && y0 == y1) break;
        const int64_t twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += sx;
        }
        if (twice <= dx) {
            error += dx;
            y0 += sy;
        }
    }
}

void Canvas::Frame(int32_t x0, int32_t y0, int32_t x1, int32_t y1, Rgb colour) {
    if (x0 > x1) std::swap(x0, x1);
    if (y0 > y1) std::swap(y0, y1);
    Fill(x0, y0, x1 + 1, y0 + 1, colour);
    Fill(x0, y1, x1 + 1, y1 + 1, colour);
    Fill(x0, y0, x0 + 1, y1 + 1, colour);
    Fill(x1, y0, x1 + 1, y1 + 1, colour);
}

void Canvas::Text(std::string_view text, int32_t x, int32_t y, int32_t dot, Rgb colour) {
    for (const char c : text) {
        const uint8_t* glyph = GlyphOf(c);
        for (int32_t row = 0; row < kGlyphHeight; ++row)
            for (int32_t column = 0; column < kGlyphWidth; ++column)
                if (glyph[row] & (0x10 >> column))
                    Fill(x + column * dot, y + row * dot, x + (column + 1) * dot,
                         y + (row + 1) * dot, colour);
        x += kGlyphAdvance * dot;
    }
}

void Canvas::Number(int64_t number, int32_t x, int32_t y, int32_t dot, Rgb colour) {
    Text(std::to_string(number), x, y, dot, colour);
}

void Canvas::Dim(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    x0 += dx_;
    x1 += dx_;
    y0 += dy_;
    y1 += dy_;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, width_);
    for (int32_t y = std::max(y0, 0); y < std::min(y1, height_); ++y) {
        uint8_t* pixel = &pixels_[(static_cast<size_t>(y) * width_ + x0) * 3];
        for (int32_t x = x0; x < x1; ++x, pixel += 3)
            for (int channel = 0; channel < 3; ++channel)
                pixel[channel] = static_cast<uint8_t>(pixel[channel] * 2 / 5);
    }
}

void Canvas::Blit(const Canvas& from, int32_t x, int32_t y) {
    const int32_t x0 = std::max(x, 0);
    const int32_t x1 = std::min(x + from.width_, width_);
    if (x0 >= x1) return;
    for (int32_t row = std::max(y, 0); row < std::min(y + from.height_, height_); ++row) {
        const uint8_t* source =
            &from.pixels_[(static_cast<size_t>(row - y) * from.width_ + (x0 - x)) * 3];
        std::copy(source, source + static_cast<size_t>(x1 - x0) * 3,
                  &pixels_[(static_cast<size_t>(row) * width_ + x0) * 3]);
    }
}

bool Canvas::Clip(int64_t& x0, int64_t& y0, int64_t& x1, int64_t& y1) const {
    const double low = -scale_;
    const double high = width_ + scale_;
    const double dx = static_cast<double>(x1 - x0);
    const double dy = static_cast<double>(y1 - y0);
    double enter = 0;
    double leave = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {static_cast<double>(x0) - low, high - static_cast<double>(x0),
                         static_cast<double>(y0) - low, high - static_cast<double>(y0)};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) enter = std::max(enter, t);
        if (p[i] > 0) leave = std::min(leave, t);
    }
    if (enter > leave) return false;
    const int64_t startX = x0;
    const int64_t startY = y0;
    if (enter > 0) {
        x0 = std::llround(static_cast<double>(startX) + enter * dx);
        y0 = std::llround(static_cast<double>(startY) + enter * dy);
    }
    if (leave < 1) {
        x1 = std::llround(static_cast<double>(startX) + leave * dx);
        y1 = std::llround(static_cast<double>(startY) + leave * dy);
    }
    return true;
}
