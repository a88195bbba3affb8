#include "ZonePreview.h"

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdlib>
#include <string>
#include <vector>

#include "TileCodes.h"
#include "ZoneGround.h"

namespace {

struct Rgb {
    uint8_t r, g, b;
};

constexpr Rgb kBackground{48, 48, 48};
constexpr Rgb kOutline{12, 12, 12};
constexpr Rgb kEntry{40, 210, 70};
constexpr Rgb kExit{230, 45, 45};
constexpr Rgb kTrap{255, 140, 0};
constexpr Rgb kMob{250, 250, 250};
constexpr Rgb kShadow{0, 0, 0};
constexpr Rgb kPath{255, 225, 0};
constexpr Rgb kChanged{255, 0, 255};
constexpr Rgb kGhost{150, 150, 150};

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

// Digits and a minus sign, 3 x 5, one row of 3 bits a line.
constexpr uint8_t kGlyphs[11][5] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7},
    {5, 5, 7, 1, 1}, {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 1, 1},
    {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7}, {0, 0, 7, 0, 0},
};

class Canvas {
  public:
    // The zone's 128 x 128 cells of `scale` pixels; or `width` x `height`
    // pixels, lines clipped as in a zone of cells of `scale` pixels.
    explicit Canvas(int32_t scale) : Canvas(scale, kZoneCells * scale, kZoneCells * scale) {}
    Canvas(int32_t scale, int32_t width, int32_t height)
        : scale_(scale),
          size_(width),
          height_(height),
          pixels_(static_cast<size_t>(width) * static_cast<size_t>(height) * 3) {
        Fill(0, 0, width, height, kBackground);
    }

    int32_t size() const { return size_; }  // the width: the zone's pictures are square
    int32_t height() const { return height_; }
    const std::vector<uint8_t>& pixels() const { return pixels_; }

    void Set(int32_t x, int32_t y, Rgb colour) { Fill(x, y, x + 1, y + 1, colour); }

    void Fill(int32_t x0, int32_t y0, int32_t x1, int32_t y1, Rgb colour) {
        x0 = std::max(x0, 0);
        x1 = std::min(x1, size_);
        for (int32_t y = std::max(y0, 0); y < std::min(y1, height_); ++y) {
            uint8_t* pixel = &pixels_[(static_cast<size_t>(y) * size_ + x0) * 3];
            for (int32_t x = x0; x < x1; ++x, pixel += 3) {
                pixel[0] = colour.r;
                pixel[1] = colour.g;
                pixel[2] = colour.b;
            }
        }
    }

    // A line `thickness` pixels wide from (x0, y0) to (x1, y1), as Bresenham
    // walks it, cut first to the picture (and a margin) so that points far
    // outside cost nothing.
    void Line(int64_t x0, int64_t y0, int64_t x1, int64_t y1, int32_t thickness, Rgb colour) {
        if (!Clip(x0, y0, x1, y1)) return;
        const int64_t dx = std::llabs(x1 - x0);
        const int64_t dy = -std::llabs(y1 - y0);
        const int64_t sx = x0 < x1 ? 1 : -1;
        const int64_t sy = y0 < y1 ? 1 : -1;
        int64_t error = dx + dy;
        const int32_t half = thickness / 2;
        for (;;) {
            const auto x = static_cast<int32_t>(x0) - half;
            const auto y = static_cast<int32_t>(y0) - half;
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

    // A rectangle's outline, one pixel wide, from corner (x0, y0) to (x1, y1).
    void Frame(int32_t x0, int32_t y0, int32_t x1, int32_t y1, Rgb colour) {
        Line(x0, y0, x1, y0, 1, colour);
        Line(x0, y1, x1, y1, 1, colour);
        Line(x0, y0, x0, y1, 1, colour);
        Line(x1, y0, x1, y1, 1, colour);
    }

    // A number in the 3 x 5 digits, `pixel` pixels a dot, from (x, y).
    void Number(int32_t number, int32_t x, int32_t y, int32_t pixel, Rgb colour) {
        const std::string text = std::to_string(number);
        for (const char c : text) {
            const auto& glyph = kGlyphs[c == '-' ? 10 : c - '0'];
            for (int32_t row = 0; row < 5; ++row)
                for (int32_t column = 0; column < 3; ++column)
                    if (glyph[row] & (4 >> column))
                        Fill(x + column * pixel, y + row * pixel, x + (column + 1) * pixel,
                             y + (row + 1) * pixel, colour);
            x += 4 * pixel;
        }
    }

    int32_t scale() const { return scale_; }

    // The pixels of a rectangle at 40 % of their brightness.
    void Dim(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
        x0 = std::max(x0, 0);
        x1 = std::min(x1, size_);
        for (int32_t y = std::max(y0, 0); y < std::min(y1, height_); ++y) {
            uint8_t* pixel = &pixels_[(static_cast<size_t>(y) * size_ + x0) * 3];
            for (int32_t x = x0; x < x1; ++x, pixel += 3)
                for (int channel = 0; channel < 3; ++channel)
                    pixel[channel] = static_cast<uint8_t>(pixel[channel] * 2 / 5);
        }
    }

  private:
    // Cuts the segment to the picture and a margin (Liang-Barsky); false when
    // nothing of it is left.
    bool Clip(int64_t& x0, int64_t& y0, int64_t& x1, int64_t& y1) const {
        const double low = -scale_;
        const double high = size_ + scale_;
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

    int32_t scale_;
    int32_t size_;
    int32_t height_;
    std::vector<uint8_t> pixels_;
};

// The ground as the game builds it, then each placed block's outline.
void DrawGround(const ZoneContent& zone, Canvas& canvas) {
    const int32_t s = canvas.scale();
    const ZoneGround ground(zone);
    for (int32_t row = 0; row < kZoneCells; ++row) {
        for (int32_t column = 0; column < kZoneCells; ++column) {
            const int32_t code = ground.At(column, row);
            if (code > 0)
                canvas.Fill(column * s, row * s, (column + 1) * s, (row + 1) * s,
                            GroundColour(code));
        }
    }
    if (s < 2) return;
    for (const ZoneContent::Placement& placement : zone.placements) {
        const int32_t x0 = placement.x / 2 * s;
        const int32_t y0 = placement.y / 2 * s;
        canvas.Frame(x0, y0, x0 + kBlockCells * s - 1, y0 + kBlockCells * s - 1, kOutline);
    }
}

// Each path: a line through its points, a square at each, a hollow one where
// it starts, and an arrowhead where each step ends.
void DrawPaths(const ZoneContent& zone, Canvas& canvas) {
    const int32_t s = canvas.scale();
    const int32_t width = std::max(1, s / 8);
    const auto centre = [s](int32_t cell) { return int64_t{cell} * s + s / 2; };
    for (const std::vector<ZoneContent::Waypoint>& path : zone.paths) {
        for (size_t i = 0; i < path.size(); ++i) {
            const int64_t x = centre(path[i].column);
            const int64_t y = centre(path[i].row);
            const int32_t half = std::max(1, s / 4);
            if (x < -s || y < -s || x > canvas.size() + s || y > canvas.size() + s) continue;
            const auto px = static_cast<int32_t>(x);
            const auto py = static_cast<int32_t>(y);
            canvas.Fill(px - half, py - half, px + half + 1, py + half + 1, kPath);
            if (i == 0 && half > 1)
                canvas.Fill(px - half + 1, py - half + 1, px + half, py + half, kShadow);
        }
        for (size_t i = 1; i < path.size(); ++i) {
            const int64_t x0 = centre(path[i - 1].column);
            const int64_t y0 = centre(path[i - 1].row);
            const int64_t x1 = centre(path[i].column);
            const int64_t y1 = centre(path[i].row);
            canvas.Line(x0, y0, x1, y1, width, kPath);
            const double length =
                std::hypot(static_cast<double>(x1 - x0), static_cast<double>(y1 - y0));
            if (length < 1 || s < 4) continue;
            // Two wings, each half a cell long, 30 degrees off the way back.
            const double ux = static_cast<double>(x0 - x1) / length;
            const double uy = static_cast<double>(y0 - y1) / length;
            const double wing = s / 2.0;
            // The tip just short of the point's square.
            const double tipX = static_cast<double>(x1) + ux * (s / 4.0 + 1);
            const double tipY = static_cast<double>(y1) + uy * (s / 4.0 + 1);
            for (const double sign : {-1.0, 1.0}) {
                const double wx = ux * 0.8660254 - sign * uy * 0.5;
                const double wy = uy * 0.8660254 + sign * ux * 0.5;
                canvas.Line(std::llround(tipX), std::llround(tipY), std::llround(tipX + wx * wing),
                            std::llround(tipY + wy * wing), width, kPath);
            }
        }
    }
}

// Entries: a green triangle pointing right; exits: a red one pointing left;
// traps: an orange cross; mobs: a white diamond with the mob's number beside
// it. A ghost (a marker no longer there) is all in `ghost`, without number.
void DrawCode(const ZoneContent::Code& code, Canvas& canvas, const Rgb* ghost = nullptr) {
    const int32_t s = canvas.scale();
    if (!InZone(code.column, code.row)) return;
    const int32_t x = code.column * s;
    const int32_t y = code.row * s;
    const auto colour = [ghost](Rgb own) { return ghost != nullptr ? *ghost : own; };
    if (code.marker == '>' || code.marker == '<') {
        for (int32_t dy = 0; dy < s; ++dy) {
            const int32_t reach = s - std::abs(2 * dy - (s - 1));
            for (int32_t dx = 0; dx < reach; ++dx)
                canvas.Set(code.marker == '>' ? x + dx : x + s - 1 - dx, y + dy,
                           colour(code.marker == '>' ? kEntry : kExit));
        }
    } else if (code.marker == '*') {
        const int32_t width = std::max(1, s / 4);
        canvas.Line(x, y, x + s - 1, y + s - 1, width, colour(kTrap));
        canvas.Line(x + s - 1, y, x, y + s - 1, width, colour(kTrap));
    } else {
        for (int32_t dy = 0; dy < s; ++dy) {
            const int32_t reach = (s - std::abs(2 * dy - (s - 1))) / 2;
            canvas.Fill(x + s / 2 - reach, y + dy, x + s / 2 + reach + (s == 1), y + dy + 1,
                        colour(kMob));
        }
        if (s >= 6 && ghost == nullptr) {
            const int32_t dot = std::max(1, s / 8);
            canvas.Number(code.number, x + s + dot, y - dot, dot, kShadow);
            canvas.Number(code.number, x + s, y - 2 * dot, dot, kMob);
        }
    }
}

void DrawCodes(const ZoneContent& zone, Canvas& canvas) {
    for (const ZoneContent::Code& code : zone.codes)
        DrawCode(code, canvas);
}

// Every cell whose ground did not change, at 40 % of its brightness; each
// changed cell framed in magenta where cells are large enough for a frame.
void DimUnchanged(const ZoneChanges& changes, Canvas& canvas) {
    const int32_t s = canvas.scale();
    std::vector<bool> changed(size_t{kZoneCells} * kZoneCells);
    for (const ZoneChanges::Ground& block : changes.ground)
        for (const ZoneChanges::Cell& cell : block.cells)
            changed[static_cast<size_t>(cell.at.row) * kZoneCells +
                    static_cast<size_t>(cell.at.column)] = true;
    for (int32_t row = 0; row < kZoneCells; ++row)
        for (int32_t column = 0; column < kZoneCells; ++column)
            if (!changed[static_cast<size_t>(row) * kZoneCells + static_cast<size_t>(column)])
                canvas.Dim(column * s, row * s, (column + 1) * s, (row + 1) * s);
    if (s < 4) return;
    for (const ZoneChanges::Ground& block : changes.ground) {
        for (const ZoneChanges::Cell& cell : block.cells) {
            const int32_t x0 = cell.at.column * s;
            const int32_t y0 = cell.at.row * s;
            canvas.Frame(x0, y0, x0 + s - 1, y0 + s - 1, kChanged);
        }
    }
}

// What is no longer there, in grey: removed markers and paths, removed path
// points, and the old place of what moved, with a line to where it went.
void DrawGhosts(const ZoneChanges& changes, Canvas& canvas) {
    const int32_t s = canvas.scale();
    const int32_t width = std::max(1, s / 8);
    const auto centre = [s](int32_t cell) { return int64_t{cell} * s + s / 2; };
    const auto line = [&](ZoneChanges::Spot from, ZoneChanges::Spot to) {
        canvas.Line(centre(from.column), centre(from.row), centre(to.column), centre(to.row), width,
                    kGhost);
    };
    const auto point = [&](ZoneChanges::Spot at) {
        if (!InZone(at.column, at.row)) return;
        const int32_t half = std::max(1, s / 4);
        const auto x = static_cast<int32_t>(centre(at.column));
        const auto y = static_cast<int32_t>(centre(at.row));
        canvas.Fill(x - half, y - half, x + half + 1, y + half + 1, kGhost);
    };
    using M = ZoneChanges::Marker::Change;
    for (const ZoneChanges::Marker& marker : changes.markers) {
        if (marker.change == M::Added) continue;
        DrawCode({marker.before.column, marker.before.row, marker.marker, marker.number}, canvas,
                 &kGhost);
        if (marker.change == M::Moved) line(marker.before, marker.after);
    }
    using P = ZoneChanges::Point::Change;
    for (const ZoneChanges::Path& path : changes.paths) {
        if (path.change == ZoneChanges::Change::Removed) {
            for (size_t i = 0; i < path.points.size(); ++i) {
                point(path.points[i]);
                if (i > 0) line(path.points[i - 1], path.points[i]);
            }
        }
        for (const ZoneChanges::Point& change : path.pointChanges) {
            if (change.change == P::Added) continue;
            point(change.before);
            if (change.change == P::Moved) line(change.before, change.after);
        }
    }
}

void Append(png_structp png, png_bytep data, png_size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), length);
}

void Flush(png_structp) {}

// PNG bytes of an RGB picture; the same picture gives the same bytes.
bool EncodePng(const Canvas& canvas, std::string& out) {
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
    const auto size = static_cast<png_uint_32>(canvas.size());
    const auto height = static_cast<png_uint_32>(canvas.height());
    png_set_write_fn(png, &out, Append, Flush);
    png_set_IHDR(png, info, size, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    // Cells repeat rows and runs of pixels: "up" and run lengths say that fast.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
    png_set_compression_strategy(png, Z_RLE);
    png_set_compression_level(png, 1);
    png_write_info(png, info);
    const uint8_t* row = canvas.pixels().data();
    for (png_uint_32 y = 0; y < height; ++y, row += size_t{size} * 3)
        png_write_row(png, row);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

std::string DrawZonePreview(const ZoneContent& zone, int32_t scale) {
    Canvas canvas(std::clamp(scale, 1, kMaxPreviewScale));
    DrawGround(zone, canvas);
    DrawPaths(zone, canvas);
    DrawCodes(zone, canvas);
    std::string png;
    if (!EncodePng(canvas, png)) png.clear();
    return png;
}

std::string DrawGroundCodesTileset() {
    constexpr int32_t kTile = kCellPixels;
    Canvas canvas(kTile, kGroundTilesetColumns * kTile,
                  (kLastGroundId + kGroundTilesetColumns) / kGroundTilesetColumns * kTile);
    for (int32_t id = 1; id <= kLastGroundId; ++id) {
        const int32_t code = TileCodeFromId(id);
        const int32_t x = id % kGroundTilesetColumns * kTile;
        const int32_t y = id / kGroundTilesetColumns * kTile;
        canvas.Fill(x, y, x + kTile, y + kTile, GroundColour(code));
        // The number in the middle, in dots of 2 pixels: 4 dots a digit.
        const int32_t width = static_cast<int32_t>(std::to_string(code).size()) * 8 - 2;
        const int32_t left = x + (kTile - width) / 2;
        canvas.Number(code, left + 1, y + 12, 2, kShadow);
        canvas.Number(code, left, y + 11, 2, kMob);
    }
    std::string png;
    if (!EncodePng(canvas, png)) png.clear();
    return png;
}

std::string DrawZoneChange(const ZoneContent& after, const ZoneChanges& changes, int32_t scale) {
    Canvas canvas(std::clamp(scale, 1, kMaxPreviewScale));
    DrawGround(after, canvas);
    DimUnchanged(changes, canvas);
    DrawGhosts(changes, canvas);
    DrawPaths(after, canvas);
    DrawCodes(after, canvas);
    std::string png;
    if (!EncodePng(canvas, png)) png.clear();
    return png;
}
