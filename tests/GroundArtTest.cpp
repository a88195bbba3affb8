// The ground in the game's own art: an atlas of 16 by 16 tiles read from a
// PNG, each cell drawn with its code's tile; what is no such atlas refused
// with the reason.

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>
#include <fstream>

#include "Pictures.h"
#include "converter/picture/Font.h"
#include "converter/picture/GroundAtlas.h"
#include "converter/picture/GroundCodesTileset.h"
#include "converter/picture/GroundColours.h"
#include "converter/review/ZonePicture.h"
#include "converter/workspace/TableFiles.h"

namespace {

// Tiles of `tile` x `tile` pixels, tile c all of the colour (c, 255 - c, 3c)
// and the opacity `alpha(c)`.
std::string Atlas(int32_t tile, uint8_t (*alpha)(int32_t)) {
    const int32_t side = 16 * tile;
    std::vector<uint8_t> rgba(static_cast<size_t>(side) * side * 4);
    for (int32_t y = 0; y < side; ++y) {
        for (int32_t x = 0; x < side; ++x) {
            const int32_t code = y / tile * 16 + x / tile;
            uint8_t* pixel = &rgba[(static_cast<size_t>(y) * side + x) * 4];
            pixel[0] = static_cast<uint8_t>(code);
            pixel[1] = static_cast<uint8_t>(255 - code);
            pixel[2] = static_cast<uint8_t>(code * 3);
            pixel[3] = alpha(code);
        }
    }
    return PngOf(side, side, rgba);
}

// A zone with a block of each code, 21 blocks a row, and where each is.
Zone EveryCode() {
    Zone zone;
    for (int32_t code = 0; code < 256; ++code) {
        for (auto& row : zone.EditBlock(10001 + code).codes)
            row.fill(static_cast<uint8_t>(code));
        zone.placements.push_back({10001 + code, code % 21 * 12, code / 21 * 12, {}});
    }
    return zone;
}
Pixel CellOf(const Picture& picture, int32_t code, int32_t dx, int32_t dy) {
    return picture.At(code % 21 * 6 + 2, code / 21 * 6 + 2, dx, dy);
}

// Each cell is its code's tile, every pixel of it, whatever the tiles' size;
// a cell without ground stays the background.
TEST(GroundArt, ASolidAtlasGivesEachCellItsCodesColour) {
    const Zone zone = EveryCode();
    for (const int32_t tile : {1, 5, 32}) {
        std::string problem;
        const auto atlas =
            GroundAtlas::FromPng(Atlas(tile, [](int32_t) -> uint8_t { return 255; }), problem);
        ASSERT_TRUE(atlas) << problem;
        const Picture picture(DrawZonePicture(zone, {8, true, &*atlas}));
        ASSERT_FALSE(picture.empty());
        for (int32_t code = 1; code < 256; ++code)
            for (const auto& [dx, dy] : {std::pair{0, 0}, {7, 7}, {3, 5}})
                ASSERT_EQ(CellOf(picture, code, dx, dy), (Pixel{code, 255 - code, code * 3 % 256}))
                    << code << " at " << tile;
        EXPECT_EQ(CellOf(picture, 0, 4, 4), Pixel(kNoGround.r, kNoGround.g, kNoGround.b));
    }
}

// A tile drawn from its pixels, each cell pixel the tile's nearest; what is
// transparent shows the background through it.
TEST(GroundArt, TilesAreScaledAndLaidOverTheBackground) {
    std::vector<uint8_t> rgba(32 * 32 * 4, 0);  // tiles of 2 x 2
    const auto set = [&](int32_t x, int32_t y, uint8_t r, uint8_t a) {
        uint8_t* pixel = &rgba[(static_cast<size_t>(y) * 32 + x) * 4];
        pixel[0] = r;
        pixel[3] = a;
    };
    // Code 1: its left column opaque red 200, its right one half transparent.
    set(2, 0, 200, 255), set(2, 1, 200, 255), set(3, 0, 200, 128), set(3, 1, 200, 128);
    std::string problem;
    const auto atlas = GroundAtlas::FromPng(PngOf(32, 32, rgba), problem);
    ASSERT_TRUE(atlas) << problem;
    Zone zone;
    for (auto& row : zone.EditBlock(10001).codes)
        row.fill(1);
    zone.placements.push_back({10001, 0, 0, {}});
    const Picture picture(DrawZonePicture(zone, {8, true, &*atlas}));
    const Pixel left{200, 0, 0};
    EXPECT_EQ(picture.At(2, 2, 0, 2), left);
    EXPECT_EQ(picture.At(2, 2, 3, 7), left);
    // Half of red 200 and half of the background's grey 48, rounded.
    EXPECT_EQ(picture.At(2, 2, 4, 2), (Pixel{124, 24, 24}));
    EXPECT_EQ(picture.At(2, 2, 7, 7), (Pixel{124, 24, 24}));
}

TEST(GroundArt, WhatIsNoAtlasIsRefusedWithItsReason) {
    std::string problem;
    EXPECT_FALSE(GroundAtlas::FromPng("GIF89a", problem));
    EXPECT_EQ(problem, "it is no PNG image");
    const std::string png = PngOf(40, 32, std::vector<uint8_t>(40 * 32 * 4));
    EXPECT_FALSE(GroundAtlas::FromPng(png, problem));
    EXPECT_EQ(problem, "its 40 x 32 pixels are not 16 by 16 tiles of equal size");
    EXPECT_FALSE(GroundAtlas::FromPng(png.substr(0, png.size() - 30), problem));
    EXPECT_EQ(problem, "its PNG data is damaged");
    EXPECT_TRUE(GroundAtlas::FromPng(PngOf(16, 16, std::vector<uint8_t>(16 * 16 * 4)), problem));
}

// An image of more than 2^26 pixels is refused from its header, before any
// memory is taken for it; one of 2^26 is read (here: its data is missing).
TEST(GroundArt, AHugeImageIsRefusedBeforeItIsRead) {
    // The signature, the header chunk, and a data chunk that holds nothing.
    const auto header = [](uint32_t width, uint32_t height) {
        const auto chunk = [](const std::string& type, const std::string& data) {
            std::string out;
            for (const int shift : {24, 16, 8, 0})
                out += static_cast<char>(data.size() >> shift & 255);
            const std::string body = type + data;
            const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(body.data()),
                                    static_cast<uInt>(body.size()));
            out += body;
            for (const int shift : {24, 16, 8, 0})
                out += static_cast<char>(crc >> shift & 255);
            return out;
        };
        std::string size;
        for (const uint32_t side : {width, height})
            for (const int shift : {24, 16, 8, 0})
                size += static_cast<char>(side >> shift & 255);
        return "\x89PNG\r\n\x1a\n" + chunk("IHDR", size + std::string("\x08\x06\x00\x00\x00", 5)) +
               chunk("IDAT", "") + chunk("IEND", "");
    };
    std::string problem;
    EXPECT_FALSE(GroundAtlas::FromPng(header(8192, 8193), problem));
    EXPECT_EQ(problem, "it is too large, 8192 x 8193 pixels");
    EXPECT_FALSE(GroundAtlas::FromPng(header(8192, 8192), problem));
    EXPECT_EQ(problem, "its PNG data is damaged");
}

// Every printable character has a glyph of its own, the space none; what is
// not printable ASCII is drawn as a box, never as nothing.
TEST(Font, EachCharacterHasItsOwnGlyph) {
    for (char c = 32; c < 127; ++c) {
        for (char other = 32; other < c; ++other)
            EXPECT_FALSE(std::equal(GlyphOf(c), GlyphOf(c) + kGlyphHeight, GlyphOf(other)))
                << c << " and " << other;
    }
    const uint8_t* space = GlyphOf(' ');
    EXPECT_TRUE(std::all_of(space, space + kGlyphHeight, [](uint8_t row) { return row == 0; }));
    const uint8_t* unknown = GlyphOf('\x7f');
    EXPECT_FALSE(
        std::all_of(unknown, unknown + kGlyphHeight, [](uint8_t row) { return row == 0; }));
    EXPECT_TRUE(std::equal(unknown, unknown + kGlyphHeight, GlyphOf('\xe9')));
}

// Each glyph is the one the typeface's drawing shows (tests/data/font.txt),
// which is what a reader checks for legibility: lower case, descenders, and
// the box a name's character outside printable ASCII is drawn as.
TEST(Font, TheGlyphsAreTheDrawingsOfTheTypeface) {
    std::ifstream drawing(TEST_DATA_DIR "/font.txt");
    int32_t glyphs = 0;
    for (std::string line; std::getline(drawing, line);) {
        if (line.rfind("char ", 0) != 0) continue;
        const std::string name = line.substr(5);
        const char c = name == "space" ? ' ' : name == "unknown" ? '\x7f' : name[0];
        for (int32_t row = 0; row < kGlyphHeight; ++row) {
            std::string dots;
            std::getline(drawing, dots);
            uint8_t bits = 0;
            for (const char dot : dots)
                bits = static_cast<uint8_t>(bits << 1 | (dot == '#'));
            EXPECT_EQ(GlyphOf(c)[row], bits) << "'" << c << "' row " << row;
        }
        ++glyphs;
    }
    EXPECT_EQ(glyphs, 96);
}

// The designers' tileset made from the game's art: tile i is the art of the
// code local id i gives, every pixel; with a table and no art, the table's
// colour where it gives one and the code's own elsewhere.
TEST(GroundArt, ATilesetMadeFromTheArtAndTheTable) {
    std::string problem;
    const auto atlas =
        GroundAtlas::FromPng(Atlas(4, [](int32_t) -> uint8_t { return 255; }), problem);
    ASSERT_TRUE(atlas) << problem;
    std::vector<TableProblem> problems;
    const auto table =
        GroundTableOf("g.tsv", "code\tname\tcolour\n16\tgrass\t#102030\n50\twater\t\n", problems);
    ASSERT_NE(table, nullptr);
    const Picture art(DrawGroundCodesTileset(table.get(), &*atlas));
    const Picture plain(DrawGroundCodesTileset(table.get(), nullptr));
    ASSERT_FALSE(art.empty() || plain.empty());
    for (int32_t id = 1; id <= kLastGroundId; ++id) {
        const int32_t code = TileCodeFromId(id);
        const int32_t x = id % 16 * 32;
        const int32_t y = id / 16 * 32;
        for (const auto& [dx, dy] : {std::pair{0, 0}, {31, 31}, {16, 16}}) {
            EXPECT_EQ(art.Raw(x + dx, y + dy), (Pixel{code, 255 - code, code * 3 % 256})) << id;
        }
        const Rgb own = code == 16 ? Rgb{16, 32, 48} : GroundColour(code);
        EXPECT_EQ(plain.Raw(x, y), (Pixel{own.r, own.g, own.b})) << id;
    }
    // Its file: the kit's tileset without a table; each named tile with one.
    EXPECT_EQ(GroundCodesTsx("Velt ground codes", "velt-ground-codes.png", nullptr),
              ReadFile(SOURCE_DIR "/kit/velt-ground-codes.tsx"));
    const std::string named = GroundCodesTsx("Our <ground>", "our.png", table.get());
    EXPECT_NE(named.find("name=\"Our &lt;ground&gt;\""), std::string::npos);
    EXPECT_NE(named.find(" <tile id=\"1\">\n  <properties>\n   <property name=\"name\" "
                         "value=\"grass\"/>\n  </properties>\n </tile>\n"),
              std::string::npos);
    EXPECT_NE(named.find(" <tile id=\"" + std::to_string(LocalIdOfCode(50)) +
                         "\">\n  <properties>\n   <property name=\"name\" value=\"water\"/>"),
              std::string::npos);
    EXPECT_EQ(named.find("<tile id=\"2\">"), std::string::npos);
}

// A picture in the team's colours, with a legend of the codes shown.
TEST(GroundArt, TheTablesColoursAndLegend) {
    std::vector<TableProblem> problems;
    GameTables tables;
    tables.ground = GroundTableOf("g.tsv", "code\tname\tcolour\n16\tgrass\t#102030\n", problems);
    const Zone zone = EveryCode();
    const Picture plain(DrawZonePicture(zone, {8, true}));
    PictureOptions options{8, true};
    options.tables = &tables;
    const Picture named(DrawZonePicture(zone, options));
    ASSERT_FALSE(plain.empty() || named.empty());
    EXPECT_EQ(CellOf(named, 16, 0, 0), (Pixel{16, 32, 48}));
    for (const int32_t code : {17, 50, 255})
        EXPECT_EQ(CellOf(named, code, 0, 0), CellOf(plain, code, 0, 0)) << code;
    // The legend grows by its lines of codes: 12 named, then "and 243 more".
    EXPECT_EQ(plain.width(), named.width());
    EXPECT_GT(named.height(), plain.height());
}

// The mobs' legend names the mobs the picture shows, those on its last row
// and column and its first included.
TEST(GroundArt, TheMobLegendReachesThePicturesEdges) {
    std::vector<TableProblem> problems;
    GameTables tables;
    tables.mobs = MobTableOf("m.tsv", "number\tname\n5\twolf\n", problems);
    ASSERT_NE(tables.mobs, nullptr);
    for (const auto& [column, row] : {std::pair{127, 127}, {0, 0}, {127, 0}, {0, 127}}) {
        Zone zone;
        zone.AddCode({column, row, 0, 5, {}});
        PictureOptions options{8, true};
        const Picture bare(DrawZonePicture(zone, options));
        options.tables = &tables;
        const Picture named(DrawZonePicture(zone, options));
        ASSERT_FALSE(bare.empty() || named.empty());
        EXPECT_GT(named.height(), bare.height()) << "a mob at " << column << ", " << row;
    }
}

}  // namespace
