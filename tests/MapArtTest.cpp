// A map drawn in its own tiles (--ground-art=map): each cell with ground is
// the tile that decided it, cut from its tileset's image by the tile size,
// margin and spacing, or a collection's own image, turned as the map turns
// it; a cell the game leaves without ground is none, whatever the map shows
// there; an image that cannot be used leaves its cells in their codes'
// colours, said once.

#include <gtest/gtest.h>

#include <fstream>

#include "Pictures.h"
#include "Scratch.h"
#include "converter/exports/ConvertMap.h"
#include "converter/game/TileCodes.h"
#include "converter/picture/GroundColours.h"
#include "converter/program/MapArt.h"
#include "converter/review/ZonePicture.h"
#include "tmx/model/TmxMap.h"

namespace {

constexpr uint32_t kH = 0x80000000u;
constexpr uint32_t kV = 0x40000000u;
constexpr uint32_t kD = 0x20000000u;

// The sheet's tiles: 4 x 4 pixels, 16 a row, 4 rows, a margin of 1 and a
// spacing of 2 in magenta; pixel (x, y) of tile t is (8t, 40 + 50x, 40 + 50y).
Pixel SheetPixel(int32_t tile, int32_t x, int32_t y) {
    return {8 * tile, 40 + 50 * x, 40 + 50 * y};
}

std::string Sheet() {
    const int32_t width = 2 + 16 * 4 + 15 * 2;
    const int32_t height = 2 + 4 * 4 + 3 * 2;
    std::vector<uint8_t> rgba(static_cast<size_t>(width) * height * 4);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            uint8_t* pixel = &rgba[(static_cast<size_t>(y) * width + x) * 4];
            const int32_t column = (x - 1) / 6;
            const int32_t row = (y - 1) / 6;
            const bool inTile =
                x >= 1 && y >= 1 && (x - 1) % 6 < 4 && (y - 1) % 6 < 4 && column < 16 && row < 4;
            const Pixel colour = inTile ? SheetPixel(row * 16 + column, (x - 1) % 6, (y - 1) % 6)
                                        : Pixel{255, 0, 255};
            pixel[0] = static_cast<uint8_t>(colour.r);
            pixel[1] = static_cast<uint8_t>(colour.g);
            pixel[2] = static_cast<uint8_t>(colour.b);
            pixel[3] = 255;
        }
    }
    return PngOf(width, height, rgba);
}

// A map of 6 x 3 cells: the sheet's tiles turned every way, and tile 0, which
// gives no ground; a collection's tile of its own 3 x 2 image, and one whose
// image is missing; a tile beyond the sheet's rows.
struct MapWithArt {
    MapWithArt() {
        std::ofstream(scratch.path() / "sheet.png", std::ios::binary) << Sheet();
        std::filesystem::create_directories(scratch.path() / "art");
        std::vector<uint8_t> five(3 * 2 * 4, 255);
        for (size_t i = 0; i < five.size(); i += 4)
            five[i + 1] = static_cast<uint8_t>(i * 10);
        std::ofstream(scratch.path() / "art" / "five.png", std::ios::binary) << PngOf(3, 2, five);
        std::ofstream(scratch.path() / "art" / "things.tsx")
            << "<tileset name=\"things\" tilewidth=\"3\" tileheight=\"2\" tilecount=\"8\" "
               "columns=\"0\">\n"
               " <tile id=\"5\"><image width=\"3\" height=\"2\" source=\"five.png\"/></tile>\n"
               " <tile id=\"7\"><image width=\"3\" height=\"2\" source=\"missing.png\"/></tile>\n"
               "</tileset>\n";
        const auto gid = [](uint32_t id) { return std::to_string(id); };
        std::ofstream(scratch.path() / "map.tmx")
            << "<map version=\"1.8\" orientation=\"orthogonal\" width=\"6\" height=\"3\" "
               "tilewidth=\"32\" tileheight=\"32\">\n"
               " <tileset firstgid=\"1\" name=\"ground\" tilewidth=\"4\" tileheight=\"4\" "
               "margin=\"1\" spacing=\"2\"><image source=\"sheet.png\"/></tileset>\n"
               " <tileset firstgid=\"300\" source=\"art/things.tsx\"/>\n"
               " <layer id=\"1\" name=\"Ground\" width=\"6\" height=\"3\"><data encoding=\"csv\">\n"
            << gid(2) << ',' << gid(3 | kH) << ',' << gid(4 | kV) << ',' << gid(5 | kD) << ','
            << gid(6 | kH | kV | kD) << ',' << gid(1) << ",\n"
            << gid(305) << ',' << gid(307) << ',' << gid(305 | kH) << ",0,0,0,\n"
            << gid(101) << ",0,0,0,0,0\n"
            << "</data></layer>\n</map>\n";
    }
    Scratch scratch;
};

// A map file loaded, converted, and its art read.
struct Drawn {
    explicit Drawn(const std::filesystem::path& path) {
        map.LoadFromFile(path.string());
        zone = ConvertMap(map).zone;
        art = MapArtOf(map, zone, problems);
    }
    tmx::TmxMap map;
    Zone zone;
    std::vector<ArtProblem> problems;
    std::unique_ptr<TileArt> art;
};

TEST(MapArt, EachCellIsTheTileThatDecidedIt) {
    const MapWithArt files;
    const Drawn drawn(files.scratch.path() / "map.tmx");
    ASSERT_FALSE(drawn.map.failed()) << drawn.map.errorMessage();
    const std::vector<ArtProblem>& problems = drawn.problems;
    const Picture picture(DrawZonePicture(drawn.zone, {8, true, drawn.art.get()}));
    ASSERT_FALSE(picture.empty());

    // The sheet's tiles, each tile pixel 2 x 2 of the cell's, turned: the
    // diagonal first, then across, then down. (The block's outline lies over
    // the cells' top row and first column.)
    const struct {
        int32_t column, tile;
        bool h, v, d;
    } sheet[] = {{0, 1, false, false, false},
                 {1, 2, true, false, false},
                 {2, 3, false, true, false},
                 {3, 4, false, false, true},
                 {4, 5, true, true, true}};
    for (const auto& cell : sheet) {
        for (int32_t dy = 1; dy < 8; ++dy) {
            for (int32_t dx = cell.column == 0 ? 1 : 0; dx < 8; ++dx) {
                int32_t across = dx;
                int32_t down = dy;
                if (cell.v) down = 7 - down;
                if (cell.h) across = 7 - across;
                if (cell.d) std::swap(across, down);
                ASSERT_EQ(picture.At(cell.column, 0, dx, dy),
                          SheetPixel(cell.tile, across / 2, down / 2))
                    << cell.column << ": " << dx << ',' << dy;
            }
        }
    }
    // Tile 0 gives no ground: the game leaves the cell empty.
    const Pixel none{kNoGround.r, kNoGround.g, kNoGround.b};
    EXPECT_EQ(picture.At(5, 0, 1, 1), none);
    EXPECT_EQ(picture.At(5, 0, 6, 6), none);
    // The collection's own image, 3 x 2 pixels over 8 x 8, flipped across in
    // the next cell but one.
    for (int32_t dx = 1; dx < 8; ++dx) {
        const int32_t x = dx * 3 / 8;
        EXPECT_EQ(picture.At(0, 1, dx, 0), (Pixel{255, x * 40, 255})) << dx;
        EXPECT_EQ(picture.At(2, 1, 7 - dx, 7), (Pixel{255, (3 + x) * 40, 255})) << dx;
    }
    // No image, no tile within the sheet: the code's colour.
    const auto colour = [](int32_t localId) {
        const Rgb rgb = GroundColour(TileCodeFromId(localId));
        return Pixel{rgb.r, rgb.g, rgb.b};
    };
    EXPECT_EQ(picture.At(1, 1), colour(7));
    EXPECT_EQ(picture.At(0, 2), colour(100));

    // Each image that could not be used, once.
    ASSERT_EQ(problems.size(), 2u);
    // (Named from the map's folder, however the system spells it.)
    const auto named = [](const std::string& path, const std::string& end) {
        return path.size() > end.size() &&
               path.compare(path.size() - end.size(), end.size(), end) == 0;
    };
    EXPECT_TRUE(named(problems[0].image, "art/missing.png")) << problems[0].image;
    EXPECT_EQ(problems[0].problem, "No such file or directory");
    EXPECT_TRUE(named(problems[1].image, "/sheet.png")) << problems[1].image;
    EXPECT_EQ(problems[1].problem, "tile 100 lies outside it");
}

// The same map as Tiled saves it in JSON, its external tileset too: the same
// picture, to the byte.
TEST(MapArt, AJsonMapDrawsAlike) {
    const MapWithArt files;
    const auto draw = [](const std::filesystem::path& path) {
        const Drawn drawn(path);
        return DrawZonePicture(drawn.zone, {8, false, drawn.art.get()});
    };
    std::ofstream(files.scratch.path() / "art" / "things.tsj")
        << R"({"type":"tileset","name":"things","tilewidth":3,"tileheight":2,"tilecount":8,)"
           R"("columns":0,"tiles":[{"id":5,"image":"five.png","imagewidth":3,"imageheight":2},)"
           R"({"id":7,"image":"missing.png","imagewidth":3,"imageheight":2}]})";
    const auto gids = [](std::initializer_list<uint32_t> ids) {
        std::string list;
        for (const uint32_t id : ids) {
            if (!list.empty()) list += ',';
            list += std::to_string(id);
        }
        return list;
    };
    std::ofstream(files.scratch.path() / "map.tmj")
        << R"({"type":"map","version":"1.8","orientation":"orthogonal","width":6,"height":3,)"
           R"("tilewidth":32,"tileheight":32,"tilesets":[{"firstgid":1,"name":"ground",)"
           R"("tilewidth":4,"tileheight":4,"margin":1,"spacing":2,"image":"sheet.png"},)"
           R"({"firstgid":300,"source":"art/things.tsj"}],"layers":[{"type":"tilelayer",)"
           R"("id":1,"name":"Ground","width":6,"height":3,"x":0,"y":0,"visible":true,)"
           R"("opacity":1,"data":[)"
        << gids({2, 3 | kH, 4 | kV, 5 | kD, 6 | kH | kV | kD, 1, 305, 307, 305 | kH, 0, 0, 0, 101,
                 0, 0, 0, 0, 0})
        << "]}]}";
    const std::string fromXml = draw(files.scratch.path() / "map.tmx");
    ASSERT_FALSE(fromXml.empty());
    EXPECT_EQ(draw(files.scratch.path() / "map.tmj"), fromXml);
}

// A sheet narrower than one tile holds none: its tiles lie outside it.
TEST(MapArt, ASheetNarrowerThanATileHoldsNone) {
    const Scratch scratch;
    std::ofstream(scratch.path() / "narrow.png", std::ios::binary)
        << PngOf(3, 8, std::vector<uint8_t>(3 * 8 * 4, 255));
    std::ofstream(scratch.path() / "map.tmx")
        << "<map width=\"1\" height=\"1\" tilewidth=\"32\" tileheight=\"32\">\n"
           " <tileset firstgid=\"1\" name=\"narrow\" tilewidth=\"4\" tileheight=\"4\">"
           "<image source=\"narrow.png\"/></tileset>\n"
           " <layer id=\"1\" name=\"Ground\" width=\"1\" height=\"1\"><data encoding=\"csv\">"
           "2</data></layer>\n</map>\n";
    const Drawn drawn(scratch.path() / "map.tmx");
    const std::vector<ArtProblem>& problems = drawn.problems;
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].problem, "tile 1 lies outside it");
    Canvas canvas(8, 8, 8, kNoGround);
    EXPECT_FALSE(drawn.art->DrawCell(0, 0, 16, canvas, 0, 0, 8));
}

// A tileset whose ids start at 0: the map's id 1 is its tile 1, which gives
// ground and is drawn; its id 0 is no tile.
TEST(MapArt, ATilesetFromIdZero) {
    const Scratch scratch;
    std::ofstream(scratch.path() / "sheet.png", std::ios::binary) << Sheet();
    std::ofstream(scratch.path() / "map.tmx")
        << "<map width=\"2\" height=\"1\" tilewidth=\"32\" tileheight=\"32\">\n"
           " <tileset firstgid=\"0\" name=\"ground\" tilewidth=\"4\" tileheight=\"4\" "
           "margin=\"1\" spacing=\"2\"><image source=\"sheet.png\"/></tileset>\n"
           " <layer id=\"1\" name=\"Ground\" width=\"2\" height=\"1\"><data encoding=\"csv\">"
           "1,2</data></layer>\n</map>\n";
    const Drawn drawn(scratch.path() / "map.tmx");
    ASSERT_FALSE(drawn.map.failed()) << drawn.map.errorMessage();
    const Picture picture(DrawZonePicture(drawn.zone, {8, true, drawn.art.get()}));
    for (const int32_t column : {0, 1}) {
        EXPECT_EQ(picture.At(column, 0, 4, 4), SheetPixel(column + 1, 2, 2)) << column;
    }
}

// A sheet's transparent colour, as TMX ("ff00ff") and JSON ("#ff00ff") write
// it: its pixels show what lies below.
TEST(MapArt, TheTransparentColourShowsTheBackground) {
    const Scratch scratch;
    std::vector<uint8_t> rgba(8 * 4 * 4, 200);
    for (size_t i = 3; i < rgba.size(); i += 4)
        rgba[i] = 255;  // opaque grey
    const auto magenta = [&](int32_t x, int32_t y) {
        uint8_t* pixel = &rgba[(static_cast<size_t>(y) * 8 + x) * 4];
        pixel[0] = 255, pixel[1] = 0, pixel[2] = 255, pixel[3] = 255;
    };
    magenta(5, 1);  // in tile 1, its pixel (1, 1)
    std::ofstream(scratch.path() / "sheet.png", std::ios::binary) << PngOf(8, 4, rgba);
    for (const char* trans : {"ff00ff", "#ff00ff"}) {
        std::ofstream(scratch.path() / "map.tmx")
            << "<map width=\"1\" height=\"1\" tilewidth=\"32\" tileheight=\"32\">\n"
               " <tileset firstgid=\"1\" name=\"sheet\" tilewidth=\"4\" tileheight=\"4\">"
               "<image source=\"sheet.png\" trans=\""
            << trans
            << "\"/></tileset>\n"
               " <layer id=\"1\" name=\"Ground\" width=\"1\" height=\"1\">"
               "<data encoding=\"csv\">2</data></layer>\n</map>\n";
        const Drawn drawn(scratch.path() / "map.tmx");
        EXPECT_TRUE(drawn.problems.empty());
        const Picture picture(DrawZonePicture(drawn.zone, {8, true, drawn.art.get()}));
        EXPECT_EQ(picture.At(0, 0, 2, 3), (Pixel{kNoGround.r, kNoGround.g, kNoGround.b})) << trans;
        EXPECT_EQ(picture.At(0, 0, 4, 3), (Pixel{200, 200, 200})) << trans;
    }
}

// A tileset whose file cannot be read: its cells in their codes' colours,
// and the file named once.
TEST(MapArt, ATilesetFileThatIsNotThereIsSaidOnce) {
    const Scratch scratch;
    std::ofstream(scratch.path() / "map.tmx")
        << "<map width=\"2\" height=\"1\" tilewidth=\"32\" tileheight=\"32\">\n"
           " <tileset firstgid=\"1\" source=\"gone.tsx\"/>\n"
           " <layer id=\"1\" name=\"Ground\" width=\"2\" height=\"1\"><data encoding=\"csv\">"
           "2,3</data></layer>\n</map>\n";
    const Drawn drawn(scratch.path() / "map.tmx");
    const std::vector<ArtProblem>& problems = drawn.problems;
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].image.substr(problems[0].image.size() - 9), "/gone.tsx");
    EXPECT_EQ(problems[0].problem, "the tileset file cannot be read");
    Canvas canvas(8, 8, 8, kNoGround);
    EXPECT_FALSE(drawn.art->DrawCell(0, 0, 17, canvas, 0, 0, 8));
}

}  // namespace
