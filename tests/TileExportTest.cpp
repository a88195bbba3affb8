// The tile section: codes from local ids, the 128 x 128 grid, 6 x 6 blocks,
// definitions and placements, byte for byte.

#include <gtest/gtest.h>

#include "Encoders.h"
#include "TestSupport.h"
#include "TmxMap.h"
#include "ZoneExports.h"

namespace {

// A layer of `width` x `height` whose listed cells hold these gids, the rest 0.
struct Tile {
    int x;
    int y;
    uint32_t gid;
};
std::string Layer(int width, int height, const std::vector<Tile>& tiles,
                  LayerEncoding encoding = LayerEncoding::Csv) {
    std::vector<uint32_t> gids(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (const Tile& tile : tiles)
        gids[static_cast<size_t>(tile.y * width + tile.x)] = tile.gid;
    return LayerElement("layer", width, height, gids, encoding);
}

std::string TileSection(const std::string& layers) {
    tmx::TmxMap map;
    map.LoadFromText(MapText("<tileset firstgid=\"1\"/>" + layers));
    EXPECT_FALSE(map.failed()) << map.errorMessage();
    ZoneScript script;
    ExportTileLayers(map, script);
    return script.bytes();
}

// The six rows of a block whose only non-zero row is `row` (1 to 6).
std::string Definition(int id, int row, const std::string& codes) {
    std::string text;
    for (int r = 1; r <= 6; ++r) {
        text += "#DEF_TILE\t" + std::to_string(id) + "\t" + std::to_string(r) + "\t" +
                (r == row ? codes : "0\t0\t0\t0\t0\t0") + "\t\r\n";
    }
    return text + "\r\n";
}

std::string Placement(int id, int x, int y) {
    return "#IMP_TILE\t" + std::to_string(id) + "\t" + std::to_string(x) + "\t" +
           std::to_string(y) + "\r\n";
}

const std::string kEnd = "\r\n\r\n";

TEST(TileExport, NoTilesNoBlocks) {
    EXPECT_EQ(TileSection(""), kEnd);
    EXPECT_EQ(TileSection(Layer(10, 10, {{3, 3, 1}}, LayerEncoding::Csv) /* id 0: empty */), kEnd);
    EXPECT_EQ(TileSection(Layer(10, 10, {{3, 3, 300}})), kEnd);  // id 299: no code
}

TEST(TileExport, OneTileInATenByTenMap) {
    EXPECT_EQ(TileSection(Layer(10, 10, {{7, 3, 2}})),
              Definition(10001, 4, "0\t16\t0\t0\t0\t0") + Placement(10001, 12, 0) + kEnd);
}

TEST(TileExport, CodesFromLocalIds) {
    // Local id = gid - 1 with the one tileset at firstgid 1.
    const std::vector<std::pair<uint32_t, int>> table = {
        {1, 16},    {13, 28},   {14, 32},   {26, 44},   {27, 48},   {54, 75},
        {55, 80},   {69, 94},   {70, 96},   {71, 97},   {72, 112},  {83, 123},
        {84, 128},  {99, 143},  {100, 145}, {101, 146}, {102, 147}, {103, 148},
        {104, 161}, {198, 255}, {199, 0},   {255, 0},   {256, 0},   {0, 0},
    };
    std::vector<Tile> tiles;
    std::string expected;
    for (size_t i = 0; i < table.size(); ++i) {
        tiles.push_back({static_cast<int>(i % 6), static_cast<int>(i / 6) * 6, table[i].first + 1});
    }
    const std::string section = TileSection(Layer(6, 24, tiles));
    for (size_t block = 0; block < 4; ++block) {
        std::string codes;
        for (size_t i = block * 6; i < block * 6 + 6; ++i) {
            if (i % 6 != 0) codes += '\t';
            codes += std::to_string(table[i].second);
        }
        expected += Definition(10001 + static_cast<int>(block), 1, codes);
    }
    expected += Placement(10001, 0, 0) + Placement(10002, 0, 12) + Placement(10003, 0, 24) +
                Placement(10004, 0, 36) + kEnd;
    EXPECT_EQ(section, expected);
}

TEST(TileExport, FlippedTilesAndOtherTilesetsGiveTheSameCode) {
    tmx::TmxMap map;
    map.LoadFromText(MapText(R"(<tileset firstgid="1"/><tileset firstgid="50"/>
        <layer width="3" height="1"><data encoding="csv">2,51,3221225474</data></layer>)"));
    ZoneScript script;
    ExportTileLayers(map, script);
    EXPECT_EQ(script.bytes(),
              Definition(10001, 1, "16\t16\t16\t0\t0\t0") + Placement(10001, 0, 0) + kEnd);
}

TEST(TileExport, EmptyCellsOfATilesetBelowOneAreTilesButUnreachedCellsAreNot) {
    // With a tileset at firstgid -4, id 0 is its tile 4 (code 19) wherever the
    // data holds it, runs and all; the cells the data stops short of hold none.
    tmx::TmxMap map;
    map.LoadFromText(MapText(R"(<tileset firstgid="-4"/>
        <layer width="6" height="1"><data encoding="csv">0,0,2,2,0</data></layer>)"));
    ZoneScript script;
    ExportTileLayers(map, script);
    EXPECT_EQ(script.bytes(),
              Definition(10001, 1, "19\t19\t21\t21\t19\t0") + Placement(10001, 0, 0) + kEnd);
}

TEST(TileExport, LaterLayersOverwriteEvenWithEmptyCells) {
    EXPECT_EQ(TileSection(Layer(10, 10, {{0, 0, 2}, {1, 0, 3}}) + Layer(1, 1, {}) +
                          Layer(2, 1, {{1, 0, 4}, {0, 0, 0}})),
              Definition(10001, 1, "0\t18\t0\t0\t0\t0") + Placement(10001, 0, 0) + kEnd);
    // A layer without cells (hostile size) changes nothing.
    EXPECT_EQ(
        TileSection(Layer(2, 1, {{1, 0, 4}}) +
                    "<layer width=\"-2\" height=\"1\"><data encoding=\"csv\">0,0</data></layer>"
                    "<layer width=\"70000\" height=\"70000\"/>"),
        Definition(10001, 1, "0\t18\t0\t0\t0\t0") + Placement(10001, 0, 0) + kEnd);
}

TEST(TileExport, EdgeBlocksAndCellsBeyondTheGrid) {
    EXPECT_EQ(
        TileSection(Layer(
            130, 130, {{126, 126, 2}, {127, 127, 3}, {128, 127, 4}, {127, 128, 4}, {129, 129, 4}})),
        "#DEF_TILE\t10001\t1\t16\t0\t0\t0\t0\t0\t\r\n"
        "#DEF_TILE\t10001\t2\t0\t17\t0\t0\t0\t0\t\r\n" +
            std::string("#DEF_TILE\t10001\t3\t0\t0\t0\t0\t0\t0\t\r\n") +
            "#DEF_TILE\t10001\t4\t0\t0\t0\t0\t0\t0\t\r\n"
            "#DEF_TILE\t10001\t5\t0\t0\t0\t0\t0\t0\t\r\n"
            "#DEF_TILE\t10001\t6\t0\t0\t0\t0\t0\t0\t\r\n"
            "\r\n" +
            Placement(10001, 252, 252) + kEnd);
}

TEST(TileExport, RepeatedBlocksAreEachPlacedUnderTheirOwnId) {
    EXPECT_EQ(TileSection(Layer(20, 8, {{0, 0, 2}, {12, 0, 2}, {6, 6, 2}})),
              Definition(10001, 1, "16\t0\t0\t0\t0\t0") +
                  Definition(10002, 1, "16\t0\t0\t0\t0\t0") +
                  Definition(10003, 1, "16\t0\t0\t0\t0\t0") + Placement(10001, 0, 0) +
                  Placement(10002, 24, 0) + Placement(10003, 12, 12) + kEnd);
}

std::vector<std::string> Warnings(const std::string& layers) {
    tmx::TmxMap map;
    map.LoadFromText(MapText("<tileset firstgid=\"1\"/>" + layers));
    ZoneScript script;
    return ExportTileLayers(map, script);
}

TEST(TileExport, ChunksCoverOnlyTheirOwnCells) {
    // A full first layer, then chunks: one over the corner (empty cells
    // included), one at negative coordinates reaching into the grid.
    EXPECT_EQ(TileSection(
                  Layer(6, 1, {{0, 0, 2}, {1, 0, 2}, {2, 0, 2}, {3, 0, 2}, {4, 0, 2}, {5, 0, 2}}) +
                  R"(<layer name="inf"><data encoding="csv">
                               <chunk x="-1" y="0" width="2" height="1">5,3</chunk>
                               <chunk x="3" y="0" width="2" height="1">0,4</chunk></data></layer>)"),
              Definition(10001, 1, "17\t16\t16\t0\t18\t16") + Placement(10001, 0, 0) + kEnd);
}

TEST(TileExport, WarnsOfTilesLeftOutPerLayer) {
    EXPECT_EQ(Warnings(Layer(130, 130, {{1, 1, 2}, {127, 127, 2}})), std::vector<std::string>{});
    EXPECT_EQ(
        Warnings(Layer(130, 2, {{128, 0, 2}, {129, 1, 0x80000001u}, {128, 1, 0}}) +
                 R"(<layer name="inf"><data encoding="csv">
                            <chunk x="-16" y="120" width="16" height="16">,,,,,,,,,,,,,,,,3</chunk>
                            <chunk x="0" y="0" width="2" height="1">0,0</chunk></data></layer>
                          <layer name="z"><data encoding="base64" compression="zstd">
                            <chunk x="0" y="0" width="1" height="1">AAAA</chunk></data></layer>)"),
        (std::vector<std::string>{
            "layer \"layer\": 2 tiles lie outside the zone's 128 x 128 cells and were left out",
            "layer \"inf\": 1 tile lies outside the zone's 128 x 128 cells and was left out",
            "layer \"z\": its zstd data could not be decoded"}));
}

}  // namespace
