// The picture of a zone, decoded again and looked at: ground where the zone
// script has it, background where not, the markers at their cells, a path's
// line between its points.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

#include "Pictures.h"
#include "converter/game/TileCodes.h"
#include "converter/picture/Font.h"
#include "converter/picture/GroundCodesTileset.h"
#include "converter/review/ZonePicture.h"
#include "converter/tomap/ZoneToMap.h"
#include "converter/zone/ZoneReader.h"

namespace {

PictureOptions Whole(int32_t scale = 8) {
    return {scale, true, nullptr};
}

// Pictures looked at by eye once and kept (tests/data/preview/): blocks of
// several codes and their outlines, every marker at the zone's edges, mobs'
// numbers with every digit and a minus sign, one cut at the edge, a path's
// start, line and arrowheads at three angles, at each kind of scale, cropped
// with the cells' numbers and the legend; and the whole zone. Any change to
// the drawing shows here: the picture drawn is left in the test's folder to
// be looked at, and kept only once it has been.
TEST(Preview, DrawsAsThePicturesLookedAt) {
    const ZoneRead read = ReadZoneScript(ReadFile(TEST_DATA_DIR "/preview/zone.txt"));
    ASSERT_TRUE(read.findings.empty());
    const Zone& zone = read.zone;
    for (const auto& [name, options] : {std::pair{"scale-1", PictureOptions{1}},
                                        {"scale-3", PictureOptions{3}},
                                        {"scale-8", PictureOptions{8}},
                                        {"scale-14", PictureOptions{14}},
                                        {"scale-16", PictureOptions{16}},
                                        {"whole-zone-2", Whole(2)}}) {
        const std::string png = DrawZonePicture(zone, options);
        if (png == ReadFile(TEST_DATA_DIR "/preview/" + std::string(name) + ".png")) continue;
        std::ofstream(std::string("drawn-") + name + ".png", std::ios::binary) << png;
        ADD_FAILURE() << name << " is not the picture kept; see drawn-" << name << ".png";
    }
}

TEST(Preview, ShowsWhatTheZoneScriptSays) {
    std::ifstream file(TEST_CASES_DIR "/preview/drawn.files/zone.txt", std::ios::binary);
    const std::string script{std::istreambuf_iterator<char>(file), {}};
    const ZoneRead read = ReadZoneScript(script);
    const Picture picture(DrawZonePicture(read.zone, Whole()));
    ASSERT_FALSE(picture.empty());
    EXPECT_TRUE(read.findings.empty());

    // Block 10001 at (0, 0), its first row 16 0 17 0 0 255; block 10002 of
    // code 48 at cells (12, 6) to (17, 11).
    const Pixel background = picture.At(100, 100);
    EXPECT_EQ(picture.At(1, 0), background);
    EXPECT_EQ(picture.At(3, 3), background);
    for (const auto& [column, row] : {std::pair{0, 0}, {2, 0}, {5, 0}, {12, 6}, {17, 11}})
        EXPECT_NE(picture.At(column, row), background) << column << ',' << row;
    EXPECT_NE(picture.At(0, 0), picture.At(2, 0));
    EXPECT_NE(picture.At(2, 0), picture.At(5, 0));
    EXPECT_EQ(picture.At(12, 6), picture.At(17, 11));
    EXPECT_EQ(picture.At(18, 6), background);

    const auto is = [](Pixel p, bool r, bool g, bool b) {
        return (p.r > 150) == r && (p.g > 150) == g && (p.b > 150) == b;
    };
    EXPECT_TRUE(is(picture.At(20, 20, 1, 4), false, true, false));  // entry: green, at the left
    EXPECT_EQ(picture.At(20, 20, 7, 0), background);                // pointing right
    EXPECT_TRUE(is(picture.At(30, 20, 6, 4), true, false, false));  // exit: red, at the right
    EXPECT_EQ(picture.At(30, 20, 0, 0), background);
    EXPECT_TRUE(is(picture.At(40, 20, 4, 4), true, false, false));  // trap: orange, across
    EXPECT_TRUE(is(picture.At(40, 20, 0, 0), true, false, false));
    EXPECT_TRUE(is(picture.At(50, 20, 4, 4), true, true, true));  // mob: white
    EXPECT_NE(picture.At(51, 19, 1, 6), background);              // and its number beside it

    // The path from (60, 60) to (70, 60): a yellow line between the cells'
    // centres, nothing above or below it.
    for (int column = 60; column <= 70; ++column) {
        EXPECT_TRUE(is(picture.At(column, 60), true, true, false)) << column;
        EXPECT_EQ(picture.At(column, 59), background) << column;
        EXPECT_EQ(picture.At(column, 61), background) << column;
    }
    EXPECT_EQ(picture.At(71, 60, 6, 4), background);
}

// The cells' numbers along the top edge: at every block where a number of
// three digits fits in its width, else at every few blocks, the fewest that
// make room for one: every 24 cells at 1 pixel a cell, every 12 at 2 and 3
// (18 pixels hold no three digits of 6 dots), every block from 4 on.
TEST(Preview, EdgeNumbersStandWhereThreeDigitsFit) {
    struct Expected {
        int32_t scale;
        std::vector<std::pair<int32_t, bool>> numbered;  // a column, and whether it is
    };
    const Zone empty;
    for (const Expected& expected :
         {Expected{1, {{0, true}, {6, false}, {12, false}, {18, false}, {24, true}, {36, false}}},
          Expected{2, {{0, true}, {6, false}, {12, true}, {18, false}, {24, true}}},
          Expected{3, {{0, true}, {6, false}, {12, true}, {18, false}, {24, true}}},
          Expected{4, {{0, true}, {6, true}, {12, true}, {126, true}}},
          Expected{32, {{6, true}, {120, true}}}}) {
        const int32_t scale = expected.scale;
        const Picture picture(DrawZonePicture(empty, Whole(scale)), scale);
        const PictureSheet::Pixel origin = PictureSheet::PanelOrigin(scale, kZoneCells, false, 0);
        const int32_t dot = PictureSheet::DotAt(scale);
        const Pixel paper = picture.Raw(0, 0);
        for (const auto& [column, numbered] : expected.numbered) {
            // Ink where the number's first digit stands, above the tick.
            bool inked = false;
            for (int32_t y = dot; y < origin.y - dot; ++y)
                for (int32_t x = 0; x < kGlyphWidth * dot; ++x)
                    inked = inked || !(picture.Raw(origin.x + column * scale + x, y) == paper);
            EXPECT_EQ(inked, numbered) << "column " << column << " at scale " << scale;
        }
    }
}

// Every ground code has a colour of its own, and neighbouring codes look
// clearly different.
TEST(Preview, NeighbouringCodesAreFarApart) {
    Zone zone;
    for (int32_t code = 0; code < 256; ++code) {
        const int32_t block = code / 6;
        zone.EditBlock(10001 + block).codes[0][static_cast<size_t>(code % 6)] =
            static_cast<uint8_t>(code);
        if (code % 6 == 0)
            zone.placements.push_back({10001 + block, 12 * (block % 21), 12 * (block / 21), {}});
    }
    const Picture picture(DrawZonePicture(zone, Whole()));
    const auto colour = [&](int32_t code) {
        return picture.At(6 * (code / 6 % 21) + code % 6, 6 * (code / 6 / 21));
    };
    const Pixel background = colour(0);
    for (int32_t code = 1; code < 256; ++code) {
        EXPECT_NE(colour(code), background) << code;
        const Pixel a = colour(code);
        const Pixel b = colour(code - 1);
        const int distance = std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
        EXPECT_GT(distance, 90) << code;
        for (int32_t other = 1; other < code; ++other)
            EXPECT_NE(colour(other), a) << other << " and " << code;
    }
}

// A waypoint far outside the zone (an object at x = -2147483648) is drawn up
// to the edge of the picture, and costs no more than one inside.
TEST(Preview, PathsFromFarOutsideAreCutAtTheEdge) {
    Zone zone;
    zone.paths.push_back({{1, -67108864, 60, {}}, {1, 5, 60, {}}, {1, 5, 67108863, {}}});
    // Cut before it is walked: drawing it costs what drawing its part inside
    // does, not a walk of half a billion pixels.
    Zone inside;
    inside.paths.push_back({{1, 0, 60, {}}, {1, 5, 60, {}}, {1, 5, 127, {}}});
    const auto time = [](const Zone& drawn) {
        const auto start = std::chrono::steady_clock::now();
        DrawZonePicture(drawn, Whole());
        return std::chrono::steady_clock::now() - start;
    };
    const auto near = time(inside);
    EXPECT_LT(time(zone), 5 * near + std::chrono::milliseconds(100));
    const Picture picture(DrawZonePicture(zone, Whole()));
    ASSERT_FALSE(picture.empty());
    for (int column = 0; column <= 5; ++column)
        EXPECT_TRUE(picture.At(column, 60).r > 200 && picture.At(column, 60).b < 100) << column;
    for (int row = 61; row < 128; ++row)
        EXPECT_TRUE(picture.At(5, row).r > 200 && picture.At(5, row).b < 100) << row;
    EXPECT_EQ(picture.At(0, 59), picture.At(100, 100));
}

TEST(Preview, TheSameZoneGivesTheSameBytes) {
    std::ifstream file(TEST_CASES_DIR "/preview/drawn.files/zone.txt", std::ios::binary);
    const std::string script{std::istreambuf_iterator<char>(file), {}};
    const Zone zone = ReadZoneScript(script).zone;
    EXPECT_EQ(DrawZonePicture(zone, {3}), DrawZonePicture(zone, {3}));
}

// The ground codes tileset: 16 tiles of 32 x 32 a row; tile i in the colour
// the preview gives the code of local id i, with that code's number in white
// on it; tile 0 and the places past the last tile in the background's grey.
TEST(GroundTileset, EachTileShowsItsCode) {
    const std::string png = DrawGroundCodesTileset();
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_memory(&image, png.data(), png.size()));
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr));
    ASSERT_EQ(image.width, 512u);
    ASSERT_EQ(image.height, 416u);
    const auto at = [&](int32_t x, int32_t y) {
        const size_t k = (size_t(y) * image.width + size_t(x)) * 3;
        return Pixel{rgb[k], rgb[k + 1], rgb[k + 2]};
    };
    // The preview's colour of each code: a zone of a block of each, 21 a row.
    Zone codes;
    for (int32_t code = 0; code < 256; ++code) {
        for (auto& row : codes.EditBlock(10001 + code).codes)
            row.fill(static_cast<uint8_t>(code));
        codes.placements.push_back({10001 + code, code % 21 * 12, code / 21 * 12, {}});
    }
    const Picture preview(DrawZonePicture(codes, Whole()));
    const auto colour = [&](int32_t code) {
        return preview.At(code % 21 * 6, code / 21 * 6, 4, 4);
    };
    const Pixel grey = colour(0);
    for (int32_t id = 0; id < 16 * 13; ++id) {
        const int32_t x = id % 16 * 32;
        const int32_t y = id / 16 * 32;
        const int32_t code = id <= kLastGroundId ? TileCodeFromId(id) : 0;
        EXPECT_EQ(at(x, y), code > 0 ? colour(code) : grey) << id;
        EXPECT_EQ(at(x + 31, y + 31), at(x, y)) << id;
        // The number: white dots in the middle rows, and none where there is no code.
        int white = 0;
        for (int32_t dy = 11; dy < 21; ++dy)
            for (int32_t dx = 0; dx < 32; ++dx)
                white += at(x + dx, y + dy) == (Pixel{250, 250, 250});
        EXPECT_EQ(white > 0, code > 0) << id;
    }
    // Codes of three digits are drawn in full, 17 pixels wide and 7 high in
    // the middle: the 1 of 161 and the last 1, each a stroke down its middle.
    EXPECT_EQ(LocalIdOfCode(161), 104);
    const int32_t left = 104 % 16 * 32 + 7;
    const int32_t top = 104 / 16 * 32 + 12;
    for (const int32_t dx : {2, 14})
        for (int32_t dy = 1; dy < 7; ++dy)
            EXPECT_EQ(at(left + dx, top + dy), (Pixel{250, 250, 250})) << dx << "," << dy;
    EXPECT_NE(at(left + 2, top - 1), (Pixel{250, 250, 250}));
}

// The designer's kit holds the same tileset as every map --to-map writes:
// the picture to the byte, and the tileset's own attributes.
TEST(GroundTileset, TheKitHoldsTheSameTileset) {
    EXPECT_EQ(ReadFile(SOURCE_DIR "/kit/velt-ground-codes.png"), DrawGroundCodesTileset());
    const std::string map = MapFromZoneScript("\r\n\r\n\r\n", "velt-ground-codes.png").tmx;
    const std::string kit = ReadFile(SOURCE_DIR "/kit/velt-ground-codes.tsx");
    const auto attributes = [](const std::string& text, const std::string& from) {
        const size_t start = text.find(from);
        return start == std::string::npos ? "" : text.substr(start, text.find('>', start) - start);
    };
    EXPECT_EQ(attributes(kit, "name="), attributes(map, "name=\"Velt ground codes\""));
    EXPECT_EQ(attributes(kit, "<image"), attributes(map, "<image"));
}

// Every code a local id gives goes back to that id; the others to none.
TEST(GroundTileset, CodesGoBackToTheirIds) {
    int32_t given = 0;
    for (int32_t code = 0; code <= 255; ++code) {
        const int32_t id = LocalIdOfCode(code);
        if (id > 0) {
            EXPECT_EQ(TileCodeFromId(id), code);
            ++given;
        }
    }
    EXPECT_EQ(given, kLastGroundId);
    EXPECT_EQ(LocalIdOfCode(0), 0);
    for (const int32_t code : {1, 15, 29, 31, 45, 47, 76, 79, 95, 98, 111, 124, 127, 144, 149, 160})
        EXPECT_EQ(LocalIdOfCode(code), -1) << code;
}

}  // namespace
