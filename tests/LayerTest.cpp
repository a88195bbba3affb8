// Tilesets, tile layers in every encoding, and image layers.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <random>

#include "Encoders.h"
#include "TestSupport.h"
#include "TmxCsv.h"
#include "TmxMap.h"

namespace {

struct CellView {
    int32_t tileset;
    int32_t local;
    std::string flips;  // "h", "v", "d" for the flags set
    bool operator==(const CellView&) const = default;
};

std::ostream& operator<<(std::ostream& out, const CellView& cell) {
    return out << '(' << cell.tileset << ',' << cell.local << ',' << cell.flips << ')';
}

// Every cell of the grid, row by row.
std::vector<CellView> Cells(const tmx::TmxLayer& layer) {
    std::vector<CellView> cells;
    for (int32_t k = 0; k < layer.cellCount(); ++k) {
        const tmx::TmxCell& cell = layer.TileAt(k % layer.width(), k / layer.width());
        cells.push_back({cell.tilesetIndex, cell.localId,
                         std::string(cell.flipHorizontal ? "h" : "") +
                             (cell.flipVertical ? "v" : "") + (cell.flipDiagonal ? "d" : "")});
    }
    return cells;
}

// The cells of the only layer of a map whose tilesets start at `firstGids`.
std::vector<CellView> LayerCells(const std::string& layer, const std::string& tilesets) {
    tmx::TmxMap map;
    map.LoadFromText(MapText(tilesets + layer));
    EXPECT_FALSE(map.failed()) << map.errorMessage();
    return Cells(map.layers().at(0));
}

const std::string kTwoTilesets = R"(<tileset firstgid="1"/><tileset firstgid="65"/>)";

TEST(Tilesets, AttributesImageAndTiles) {
    tmx::TmxMap map;
    map.LoadFromText(MapText(R"(
<tileset firstgid="1" name="ground" tilewidth="32" tileheight="32">
  <image source="tiles/ground.png" trans="ff00ff" width="256" height="128"/>
  <image source="second.png"/>
  <tile id="0"/>
  <tile id="7"><properties><property name="a" value="1"/></properties>
               <properties><property name="b" value="2"/></properties></tile>
  <tile/>
  <properties><property name="kind" value="grass"/></properties>
</tileset>
<tileset firstgid="201" source="other.tsx"/>
<tileset margin="2" spacing="1"><image source="x.png"/></tileset>)"));
    ASSERT_EQ(map.tilesets().size(), 3u);
    const tmx::TmxTileset& ground = map.tilesets()[0];
    EXPECT_EQ(ground.firstGid(), 1);
    EXPECT_EQ(ground.name(), "ground");
    EXPECT_EQ(ground.tileWidth(), 32);
    EXPECT_EQ(ground.tileHeight(), 32);
    EXPECT_EQ(ground.margin(), 0);
    ASSERT_TRUE(ground.image());
    EXPECT_EQ(ground.image()->source(), "tiles/ground.png");
    EXPECT_EQ(ground.image()->transparentColor(), "ff00ff");
    EXPECT_EQ(ground.image()->width(), 256);
    EXPECT_EQ(ground.image()->height(), 128);
    ASSERT_EQ(ground.tiles().size(), 3u);
    EXPECT_EQ(ground.tiles()[1].id(), 7);
    EXPECT_EQ(ground.tiles()[1].properties().ValueOf("a"), "1");
    EXPECT_EQ(ground.tiles()[1].properties().ValueOf("b"), "No such property!");
    EXPECT_TRUE(ground.tiles()[0].properties().entries().empty());
    EXPECT_EQ(ground.tiles()[2].id(), 0);
    EXPECT_EQ(ground.properties().ValueOf("kind"), "grass");

    const tmx::TmxTileset& external = map.tilesets()[1];
    EXPECT_EQ(external.firstGid(), 201);
    EXPECT_EQ(external.name(), "");
    EXPECT_FALSE(external.image());
    EXPECT_TRUE(external.tiles().empty());
    EXPECT_EQ(map.tilesets()[2].margin(), 2);
    EXPECT_EQ(map.tilesets()[2].spacing(), 1);
    EXPECT_EQ(map.tilesets()[2].image()->transparentColor(), "");
}

TEST(Tilesets, IndexForScansFromTheLast) {
    tmx::TmxMap map;
    map.LoadFromText(MapText(R"(<tileset firstgid="1"/><tileset firstgid="101"/>)"));
    EXPECT_EQ(map.TilesetIndexFor(0), -1);
    EXPECT_EQ(map.TilesetIndexFor(1), 0);
    EXPECT_EQ(map.TilesetIndexFor(100), 0);
    EXPECT_EQ(map.TilesetIndexFor(101), 1);
    EXPECT_EQ(map.TilesetIndexFor(300), 1);

    tmx::TmxMap same;
    same.LoadFromText(MapText(R"(<tileset firstgid="1"/><tileset firstgid="1"/>)"));
    EXPECT_EQ(same.TilesetIndexFor(1), 1);
    EXPECT_EQ(same.TilesetIndexFor(5000), 1);

    tmx::TmxMap none;
    EXPECT_EQ(none.TilesetIndexFor(1), -1);
}

TEST(Cells, FromGidWithFlags) {
    const std::string csv =
        "<layer width=\"7\" height=\"1\"><data encoding=\"csv\">0,1,64,65,2147483713,3758096386,"
        "536870912</data></layer>";
    EXPECT_EQ(LayerCells(csv, kTwoTilesets), (std::vector<CellView>{{-1, 0, ""},
                                                                    {0, 0, ""},
                                                                    {0, 63, ""},
                                                                    {1, 0, ""},
                                                                    {1, 0, "h"},
                                                                    {0, 1, "hvd"},
                                                                    {-1, 0, "d"}}));
    EXPECT_EQ(LayerCells("<layer width=\"1\" height=\"1\"><data encoding=\"csv\">70</data></layer>",
                         R"(<tileset firstgid="65"/><tileset firstgid="1"/>)"),
              (std::vector<CellView>{{1, 69, ""}}));
    EXPECT_EQ(
        LayerCells("<layer width=\"1\" height=\"1\"><data encoding=\"csv\">70</data></layer>", ""),
        (std::vector<CellView>{{-1, 70, ""}}));
}

TEST(Tilesets, LookupIsABinarySearchWithTheSameAnswers) {
    // Unordered, repeated and negative firstgids against the plain rule:
    // the last tileset in file order whose firstGid is not above the id.
    const std::vector<int32_t> firstGids = {5, 1, 9, 9, -3, 7, 20, 2, 2147483647, 15};
    tmx::TmxTilesetLookup lookup;
    for (size_t n = 0; n < firstGids.size(); ++n) {
        lookup.Add(firstGids[n], static_cast<int32_t>(n));
        for (int32_t gid :
             {-5, -3, 0, 1, 2, 4, 5, 6, 7, 8, 9, 10, 14, 15, 19, 20, 100, 2147483647}) {
            int32_t expected = -1;
            for (size_t i = n + 1; i-- > 0;) {
                if (firstGids[i] <= gid) {
                    expected = static_cast<int32_t>(i);
                    break;
                }
            }
            const tmx::TmxTilesetLookup::Owner owner = lookup.OwnerOf(gid);
            EXPECT_EQ(owner.index, expected) << n << ' ' << gid;
            if (expected >= 0) {
                EXPECT_EQ(owner.firstGid, firstGids[static_cast<size_t>(expected)]);
            }
        }
    }
}

TEST(Tilesets, MoreThanAMapMayHaveAreRefused) {
    std::string many;
    for (size_t i = 0; i <= tmx::TmxMap::kMaxTilesets; ++i)
        many += "<tileset firstgid=\"1\"/>";
    tmx::TmxMap map;
    map.LoadFromText(MapText(many));
    EXPECT_EQ(map.errorCode(), tmx::TmxLoadError::XmlParseFailed);
    EXPECT_EQ(map.errorMessage(), "The map has more than 4096 tilesets.");

    tmx::TmxMap negative;  // a local id past 32 bits wraps rather than overflows
    negative.LoadFromText(MapText(R"(<tileset firstgid="-2147483648"/>
        <layer width="1" height="1"><data encoding="csv">5</data></layer>)"));
    EXPECT_EQ(negative.layers().at(0).TileAt(0, 0).localId, -2147483643);
}

TEST(Cells, OnlyTilesetsBeforeTheLayerCount) {
    tmx::TmxMap map;
    map.LoadFromText(MapText(R"(<tileset firstgid="1"/>
        <layer width="1" height="1"><data encoding="csv">70</data></layer>
        <tileset firstgid="65"/>)"));
    EXPECT_EQ(Cells(map.layers().at(0)), (std::vector<CellView>{{0, 69, ""}}));
}

std::vector<int32_t> LocalIds(const std::string& data, int width = 2, int height = 2) {
    std::vector<int32_t> ids;
    for (const CellView& cell :
         LayerCells("<layer width=\"" + std::to_string(width) + "\" height=\"" +
                        std::to_string(height) + "\">" + data + "</layer>",
                    "<tileset firstgid=\"1\"/>")) {
        ids.push_back(cell.local);
    }
    return ids;
}

TEST(Csv, TokensAsStrtokAndSscanfGiveThem) {
    using Ids = std::vector<int32_t>;
    EXPECT_EQ(LocalIds("<data encoding=\"csv\">1,2,3,\n4,5,6</data>", 3, 2),
              (Ids{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(LocalIds("<data encoding=\"csv\">,,2,,,3,,4,5,</data>"), (Ids{1, 2, 3, 4}));
    EXPECT_EQ(LocalIds("<data encoding=\"csv\">1,2,3</data>"), (Ids{0, 1, 2, 0}));
    EXPECT_EQ(LocalIds("<data encoding=\"csv\">1,2,3,4,5</data>"), (Ids{0, 1, 2, 3}));
    EXPECT_EQ(LocalIds("<data encoding=\"csv\">5,x,7,8y</data>"), (Ids{4, 4, 6, 7}));
    EXPECT_EQ(LocalIds("<data encoding=\"csv\">x,3,+4,  5 6</data>"), (Ids{0, 2, 3, 4}));
    EXPECT_EQ(LocalIds("<data encoding=\"csv\" compression=\"zlib\">1,2,3,4</data>"),
              (Ids{0, 1, 2, 3}));
    EXPECT_EQ(LocalIds("<data encoding=\"csv\"><![CDATA[\n1,\n2,3,4]]></data>"), (Ids{0, 1, 2, 3}));
    EXPECT_EQ(LocalIds("<data encoding=\"csv\"/>"), (Ids{0, 0, 0, 0}));
}

// strtok(text, ",") and sscanf("%u") on each token, the classic reading.
std::vector<uint32_t> StrtokAndSscanf(std::string text, size_t limit) {
    std::vector<uint32_t> gids;
    uint32_t gid = 0;
    for (char* token = std::strtok(text.data(), ","); token != nullptr && gids.size() < limit;
         token = std::strtok(nullptr, ",")) {
        unsigned value = 0;
        if (std::sscanf(token, "%u", &value) == 1) gid = value;
        gids.push_back(gid);
    }
    return gids;
}

TEST(Csv, LongTextsAsStrtokAndSscanfGiveThem) {
    // Long enough for the block-wise reading, with every kind of token at
    // every offset from the blocks' edges: short and long numbers, 20 digits,
    // blanks, signs, junk, runs of commas, and limits that stop it midway.
    const std::vector<std::string> pieces = {
        "0",     "7",          "42",       "999",        "1234",
        "56789", "2147483649", " 5",       "6 ",         "\n12",
        "+3",    "-1",         "x",        "",           ",",
        "12x4",  "99999999",   "00000017", "4294967297", "18446744073709551616",
        "1\t2"};
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        const size_t tokens = random() % 120;
        for (size_t t = 0; t < tokens; ++t)
            text += pieces[random() % pieces.size()] + (random() % 8 != 0 ? "," : "");
        const size_t limit = random() % 4 == 0 ? random() % 100 : 1000;
        std::vector<uint32_t> gids(limit);
        gids.resize(tmx::DecodeCsvGids(text, gids.data(), limit));
        ASSERT_EQ(gids, StrtokAndSscanf(text, limit)) << '"' << text << '"';
    }
}

TEST(XmlTiles, OnlyTileElementsCount) {
    using Ids = std::vector<int32_t>;
    EXPECT_EQ(LocalIds(R"(<data><tile gid="2"/><!-- c --><tile gid="3"/>text<other gid="9"/>
                          <tile/><tile gid="x"/><tile gid="5"/></data>)"),
              (Ids{1, 2, 0, 0}));
    EXPECT_EQ(LocalIds(R"(<data encoding="Base64"><tile gid="2"/>AAAA</data>)"), (Ids{1, 0, 0, 0}));
    EXPECT_EQ(LocalIds(R"(<data><tile gid="1"/><tile gid="2"/><tile gid="3"/><tile gid="4"/>
                          <tile gid="5"/></data>)"),
              (Ids{0, 1, 2, 3}));
}

TEST(Base64Data, LittleEndianIdsAndShortData) {
    EXPECT_EQ(LayerCells(R"(<layer width="2" height="1"><data encoding="base64">
                            AQAAAAIAAIA=</data></layer>)",
                         "<tileset firstgid=\"1\"/>"),
              (std::vector<CellView>{{0, 0, ""}, {0, 1, "h"}}));
    using Ids = std::vector<int32_t>;
    EXPECT_EQ(LocalIds(R"(<data encoding="base64">AgAAAAMAAAA=</data>)"), (Ids{1, 2, 0, 0}));
    EXPECT_EQ(LocalIds(R"(<data encoding="base64">AgAAAAMAAAAE</data>)"), (Ids{1, 2, 0, 0}));
    EXPECT_EQ(LocalIds(R"(<data encoding="base64" compression="lzma">AgAAAA==</data>)"),
              (Ids{1, 0, 0, 0}));
    EXPECT_EQ(LocalIds(R"(<data encoding="base64" compression="zlib">AgAAAA==</data>)"),
              (Ids{0, 0, 0, 0}));
    EXPECT_EQ(LocalIds(R"(<data encoding="base64" compression="gzip">!!</data>)"),
              (Ids{0, 0, 0, 0}));
    EXPECT_EQ(LocalIds(R"(<data encoding="base64"/>)"), (Ids{0, 0, 0, 0}));
}

TEST(Base64Data, CompressedContentShorterOrLongerThanTheGrid) {
    using Ids = std::vector<int32_t>;
    for (const Wrapper wrapper : {Wrapper::Zlib, Wrapper::Gzip}) {
        const std::string compression = wrapper == Wrapper::Zlib ? "zlib" : "gzip";
        const auto data = [&](const std::vector<uint32_t>& gids) {
            return "<data encoding=\"base64\" compression=\"" + compression + "\">" +
                   Base64Encode(Deflate(LittleEndian(gids), wrapper)) + "</data>";
        };
        EXPECT_EQ(LocalIds(data({5, 6, 7})), (Ids{4, 5, 6, 0})) << compression;
        EXPECT_EQ(LocalIds(data({5, 6, 7, 8, 9, 10})), (Ids{4, 5, 6, 7})) << compression;
    }
}

TEST(Layers, AttributesAndHostileSizes) {
    tmx::TmxMap map;
    map.LoadFromText(MapText(R"(
<layer name="ground" width="3" height="2" opacity="0.5" visible="0">
  <properties><property name="p" value="1"/></properties>
  <data encoding="csv" compression="gzip">1,2,3,4,5,6</data>
</layer>
<layer width="-3" height="2"><data encoding="csv">1,2</data></layer>
<layer width="0" height="5"><data><tile gid="1"/></data></layer>
<layer width="32768" height="32768"><data encoding="csv">1,2</data></layer>
<layer width="65536" height="16384" visible="true"><data encoding="base64">AQAAAA==</data></layer>
<layer width="8193" height="8192"><data encoding="csv">1,2</data></layer>
<layer width="8192" height="8191"><data encoding="csv">1,2</data></layer>
<layer width="2" height="2"/>
<layer width="100" height="100"/>)"));
    ASSERT_EQ(map.layers().size(), 9u);
    const tmx::TmxLayer& ground = map.layers()[0];
    EXPECT_EQ(ground.name(), "ground");
    EXPECT_EQ(ground.width(), 3);
    EXPECT_EQ(ground.height(), 2);
    EXPECT_EQ(ground.opacity(), 0.5f);
    EXPECT_FALSE(ground.visible());
    EXPECT_EQ(ground.properties().ValueOf("p"), "1");
    EXPECT_EQ(ground.encoding(), tmx::TmxEncoding::Csv);
    EXPECT_EQ(ground.compression(), tmx::TmxCompression::Gzip);
    EXPECT_EQ(ground.TileAt(0, 1).localId, 4);
    EXPECT_EQ(ground.TileAt(2, 1).localId, 6);
    for (const auto& [x, y] : std::vector<std::pair<int, int>>{{3, 0}, {0, 2}, {-1, 0}, {0, -1}}) {
        EXPECT_EQ(ground.TileAt(x, y).localId, 0);
        EXPECT_EQ(ground.TileAt(x, y).tilesetIndex, -1);
    }
    for (size_t i = 1; i < 6; ++i) {
        EXPECT_EQ(map.layers()[i].cellCount(), 0) << i;
        EXPECT_EQ(map.layers()[i].TileAt(0, 0).localId, 0) << i;
    }
    EXPECT_EQ(map.layers()[4].width(), 65536);
    EXPECT_FALSE(map.layers()[4].visible());
    const tmx::TmxLayer& largest = map.layers()[6];
    EXPECT_EQ(largest.cellCount(), 8192 * 8191);
    EXPECT_EQ(largest.chunks().at(0).gids.size(),
              2u);                               // memory follows the data, not the declared size
    EXPECT_EQ(largest.TileAt(1, 0).localId, 2);  // no tileset: the bare id
    EXPECT_EQ(largest.TileAt(8191, 8190).tilesetIndex, 0);
    const tmx::TmxLayer& noData = map.layers()[7];
    EXPECT_EQ(noData.cellCount(), 4);
    EXPECT_EQ(noData.TileAt(1, 1).tilesetIndex, 0);  // never reached: initial value
    EXPECT_EQ(noData.TileAt(2, 1).tilesetIndex, -1);
    EXPECT_EQ(noData.encoding(), tmx::TmxEncoding::Xml);
    // All layers of a map share one budget of cells; this one finds it spent.
    EXPECT_EQ(map.layers()[8].cellCount(), 0);
}

TEST(Layers, EveryEncodingGivesTheSameCells) {
    const std::vector<uint32_t> gids = {0, 1, 2, 0x80000003u, 64, 65, 0x20000000u, 300, 7, 0, 0, 1};
    std::vector<CellView> expected;
    for (const LayerEncoding encoding : kAllEncodings) {
        tmx::TmxMap map;
        map.LoadFromText(MapText(kTwoTilesets + LayerElement("l", 4, 3, gids, encoding)));
        const std::vector<CellView> cells = Cells(map.layers().at(0));
        if (expected.empty()) expected = cells;
        EXPECT_EQ(cells, expected) << static_cast<int>(encoding);
    }
    EXPECT_EQ(expected.at(3), (CellView{0, 2, "h"}));
    EXPECT_EQ(expected.at(7), (CellView{1, 235, ""}));
}

TEST(GroupLayers, ChildrenStandInTheGroupsPlace) {
    tmx::TmxMap map;
    map.LoadFromText(MapText(R"(<layer name="a"/>
        <group name="g" offsetx="5" opacity="0.5" visible="0">
          <properties><property name="Level" value="9"/></properties>
          <tileset firstgid="1"/>
          <objectgroup name="Mobs"/>
          <group><layer name="b"/><imagelayer name="i"/></group>
          <layer name="c"/>
        </group>
        <objectgroup name="Traps"/>)"));
    ASSERT_EQ(map.layers().size(), 3u);
    EXPECT_EQ(map.layers()[0].orderIndex(), 0);
    EXPECT_EQ(map.objectGroups().at(0).name(), "Mobs");
    EXPECT_EQ(map.objectGroups()[0].orderIndex(), 1);
    EXPECT_EQ(map.layers()[1].name(), "b");
    EXPECT_EQ(map.layers()[1].orderIndex(), 2);
    EXPECT_EQ(map.imageLayers().at(0).orderIndex(), 3);
    EXPECT_EQ(map.layers()[2].name(), "c");
    EXPECT_EQ(map.layers()[2].orderIndex(), 4);
    EXPECT_EQ(map.objectGroups().at(1).orderIndex(), 5);
    // The group's own properties and tilesets are not the map's.
    EXPECT_EQ(map.properties().ValueOf("Level"), "No such property!");
    EXPECT_TRUE(map.tilesets().empty());
}

TEST(Chunks, CellsLieAtMapCoordinates) {
    tmx::TmxMap map;
    map.LoadFromText(MapText(R"(<tileset firstgid="1"/>
        <layer name="inf" width="4" height="4"><data encoding="csv">
          <chunk x="-2" y="-1" width="2" height="2">2,3,4,5</chunk>
          <chunk x="10" y="0" width="2" height="1">6</chunk>
          <chunk x="11" y="0" width="1" height="1">7</chunk>
          <chunk x="0" y="0" width="0" height="5">8</chunk>
        </data></layer>
        <layer width="2" height="1"><data encoding="base64" compression="zlib">
          <chunk x="3" y="3" width="2" height="1">eJxjZGBgYAJiAAAYAAQ=</chunk>
        </data></layer>)"));
    ASSERT_EQ(map.layers().size(), 2u);
    const tmx::TmxLayer& inf = map.layers()[0];
    EXPECT_EQ(inf.chunks().size(), 3u);
    EXPECT_EQ(inf.cellCount(), 7);
    EXPECT_EQ(inf.TileAt(-2, -1).localId, 1);
    EXPECT_EQ(inf.TileAt(-1, 0).localId, 4);
    EXPECT_EQ(inf.TileAt(10, 0).localId, 5);
    EXPECT_EQ(inf.TileAt(11, 0).localId, 6);       // the later chunk holds an overlapped cell
    EXPECT_EQ(inf.TileAt(0, 0).tilesetIndex, -1);  // between chunks: no cell
    EXPECT_EQ(inf.TileAt(0, 0).localId, 0);
    EXPECT_EQ(inf.TileAt(3, 3).tilesetIndex, -1);  // inside the declared size, outside all chunks
    const tmx::TmxLayer& packed = map.layers()[1];
    EXPECT_EQ(packed.TileAt(3, 3).localId, 0);
    EXPECT_EQ(packed.TileAt(4, 3).localId, 1);
    EXPECT_TRUE(packed.dataProblem().empty());
}

TEST(ImageLayers, AttributesAndImage) {
    tmx::TmxMap map;
    map.LoadFromText(MapText(R"(<imagelayer name="sky"/>
        <imagelayer name="hills" width="4" opacity="x" visible="2">
          <image source="hills.png" width="640" height="480"/>
          <properties><property name="p" value="v"/></properties>
        </imagelayer>)"));
    ASSERT_EQ(map.imageLayers().size(), 2u);
    const tmx::TmxImageLayer& sky = map.imageLayers()[0];
    EXPECT_EQ(sky.opacity(), 1.0f);
    EXPECT_TRUE(sky.visible());
    EXPECT_FALSE(sky.image());
    const tmx::TmxImageLayer& hills = map.imageLayers()[1];
    EXPECT_EQ(hills.name(), "hills");
    EXPECT_EQ(hills.width(), 4);
    EXPECT_EQ(hills.opacity(), 0.0f);
    EXPECT_TRUE(hills.visible());
    EXPECT_EQ(hills.image()->source(), "hills.png");
    EXPECT_EQ(hills.properties().ValueOf("p"), "v");
    EXPECT_EQ(&hills.map(), &map);
}

}  // namespace
