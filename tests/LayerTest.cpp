// The layer's cells against plain reference rules on random inputs: CSV data
// as strtok and sscanf read it, the tileset that owns an id, and the cells of
// overlapping chunks inside and outside an area.

#include <gtest/gtest.h>
#include <zstd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>

#include "Encoders.h"
#include "tmx/decode/TmxCsv.h"
#include "tmx/model/TmxMap.h"

namespace {

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

TEST(Csv, ReadsAsStrtokAndSscanf) {
#ifndef __GLIBC__
    GTEST_SKIP() << "the reference is glibc's, whose 64-bit rules the readers keep everywhere";
#endif
    // Long enough for the block-wise reading, with every kind of token at
    // every offset from the blocks' edges, and limits that stop it midway.
    const std::vector<std::string> pieces = {
        "0",          "7",  "42",   "999",      "1234",     "9999",       "56789",
        "2147483649", " 5", "6 ",   "\n12",     "+3",       "-1",         "x",
        "",           ",",  "12x4", "99999999", "00000017", "4294967297", "18446744073709551616",
        "1\t2"};
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        for (size_t t = random() % 120; t > 0; --t)
            text += pieces[random() % pieces.size()] + (random() % 8 != 0 ? "," : "");
        const size_t limit = random() % 4 == 0 ? random() % 100 : 1000;
        // Past the limit the storage is another's: nothing is written there.
        constexpr uint32_t kUntouched = 0xDEADBEEF;
        std::vector<uint32_t> gids(limit + 64, kUntouched);
        const size_t read = tmx::DecodeCsvGids(text, gids.data(), limit);
        ASSERT_EQ(std::count(gids.begin() + limit, gids.end(), kUntouched), 64) << text;
        gids.resize(read);
        ASSERT_EQ(gids, StrtokAndSscanf(text, limit)) << '"' << text << '"';
    }
}

TEST(Tilesets, TheLastTilesetNotAboveAnIdOwnsIt) {
    std::mt19937 random(11);
    for (int round = 0; round < 200; ++round) {
        std::vector<int32_t> firstGids;
        tmx::TmxTilesetLookup lookup;
        for (size_t n = 0; n < 12; ++n) {
            const int32_t firstGid = random() % 10 == 0
                                         ? INT32_MIN + static_cast<int32_t>(random() % 3)
                                         : static_cast<int32_t>(random() % 40) - 5;
            firstGids.push_back(firstGid);
            lookup.Add(firstGid, static_cast<int32_t>(n));
            for (int32_t gid = -8; gid < 45; ++gid) {
                int32_t expected = -1;
                for (size_t i = 0; i < firstGids.size(); ++i)
                    if (firstGids[i] <= gid) expected = static_cast<int32_t>(i);
                const tmx::TmxTilesetLookup::Owner owner = lookup.OwnerOf(gid);
                ASSERT_EQ(owner.index, expected) << round << ' ' << n << ' ' << gid;
                if (expected >= 0) {
                    ASSERT_EQ(owner.firstGid, firstGids[size_t(expected)]);
                }
            }
        }
    }
}

struct Chunk {
    int32_t x, y, width, height;
    std::vector<uint32_t> gids;  // may stop short of the chunk's cells
};

TEST(Cells, ChunksInFileOrderDecideAndTilesOutsideAreCounted) {
    std::mt19937 random(3);
    for (int round = 0; round < 300; ++round) {
        const bool xml = round % 2 == 1;  // the cells as CSV, or as tiles
        std::vector<Chunk> chunks(1 + random() % 4);
        std::string data;
        for (Chunk& chunk : chunks) {
            chunk = {static_cast<int32_t>(random() % 12) - 4,
                     static_cast<int32_t>(random() % 12) - 4,
                     static_cast<int32_t>(random() % 6),
                     static_cast<int32_t>(1 + random() % 6),
                     {}};
            std::string cells;
            for (size_t n = random() % (size_t(chunk.width * chunk.height) + 3); n > 0; --n) {
                // 0, tiles, and flip flags with a tile or without one
                const uint32_t flips = static_cast<uint32_t>(random() % 8) << 29;
                const uint32_t gid = random() % 3 == 0   ? 0
                                     : random() % 5 == 0 ? flips
                                                         : flips | (1 + random() % 9);
                if (chunk.gids.size() < size_t(chunk.width * chunk.height))
                    chunk.gids.push_back(gid);
                if (!xml) {
                    cells += std::to_string(gid) + ",";
                } else {
                    cells += gid == 0 && random() % 2
                                 ? "\n  <tile/>"
                                 : "\n  <tile gid=\"" + std::to_string(gid) + "\"/>";
                }
            }
            data += "<chunk x=\"" + std::to_string(chunk.x) + "\" y=\"" + std::to_string(chunk.y) +
                    "\" width=\"" + std::to_string(chunk.width) + "\" height=\"" +
                    std::to_string(chunk.height) + "\">" + cells + "</chunk>";
        }
        tmx::TmxMap map;
        map.LoadFromText(std::string("<map><tileset firstgid=\"1\"/><layer><data") +
                         (xml ? "" : " encoding=\"csv\"") + ">" + data + "</data></layer></map>");
        ASSERT_FALSE(map.failed()) << map.errorMessage();
        const tmx::TmxLayer& layer = map.layers().at(0);

        // The reference: each chunk's cells written in order; -1 unreached.
        std::map<std::pair<int32_t, int32_t>, int64_t> cells;
        for (const Chunk& chunk : chunks) {
            for (int32_t k = 0; k < chunk.width * chunk.height; ++k) {
                cells[{chunk.x + k % chunk.width, chunk.y + k / chunk.width}] =
                    size_t(k) < chunk.gids.size() ? int64_t{chunk.gids[size_t(k)]} : -1;
            }
        }
        const tmx::TmxArea area{int64_t(random() % 8) - 3, int64_t(random() % 8) - 3,
                                int64_t(random() % 8), int64_t(random() % 8)};
        int64_t expectedOutside = 0;
        for (const Chunk& chunk : chunks) {
            for (size_t k = 0; k < chunk.gids.size(); ++k) {
                const int64_t x = chunk.x + int64_t(k) % chunk.width;
                const int64_t y = chunk.y + int64_t(k) / chunk.width;
                const bool inside = x >= area.x0 && x < area.x1 && y >= area.y0 && y < area.y1;
                expectedOutside += !inside && (chunk.gids[k] & tmx::kTileIdMask) != 0;
            }
        }
        std::map<std::pair<int32_t, int32_t>, int64_t> visited;
        int64_t outside = 0;
        layer.VisitCells(
            area,
            [&](int32_t x, int32_t y, const uint32_t* gid) {
                ASSERT_TRUE(x >= area.x0 && x < area.x1 && y >= area.y0 && y < area.y1);
                visited[{x, y}] = gid != nullptr ? int64_t{*gid} : -1;
            },
            &outside);
        ASSERT_EQ(outside, expectedOutside) << data;
        for (int32_t y = -6; y < 12; ++y) {
            for (int32_t x = -6; x < 12; ++x) {
                const std::pair<int32_t, int32_t> at{x, y};
                const auto found = cells.find(at);
                const bool inside = x >= area.x0 && x < area.x1 && y >= area.y0 && y < area.y1;
                ASSERT_EQ(visited.count(at), inside && found != cells.end() ? 1u : 0u);
                if (visited.count(at) != 0) {
                    ASSERT_EQ(visited[at], found->second);
                }
                // TileAt: no cell outside the chunks, the initial value where
                // the data did not reach, else the tile (firstgid 1).
                int32_t tileset = -1;
                int32_t localId = 0;
                if (found != cells.end() && found->second < 0) tileset = 0;
                if (found != cells.end() && found->second >= 0 &&
                    (found->second & tmx::kTileIdMask) > 0) {
                    tileset = 0;
                    localId = static_cast<int32_t>(found->second & tmx::kTileIdMask) - 1;
                }
                const tmx::TmxCell cell = layer.TileAt(x, y);
                ASSERT_EQ(cell.tilesetIndex, tileset) << x << ',' << y << ' ' << data;
                ASSERT_EQ(cell.localId, localId) << x << ',' << y << ' ' << data;
                // The flip flags as the data holds them; none where it holds no tile.
                const uint32_t gid = found != cells.end() && found->second >= 0
                                         ? static_cast<uint32_t>(found->second)
                                         : 0;
                ASSERT_EQ(cell.flipHorizontal, (gid & 0x80000000u) != 0) << x << ',' << y;
                ASSERT_EQ(cell.flipVertical, (gid & 0x40000000u) != 0) << x << ',' << y;
                ASSERT_EQ(cell.flipDiagonal, (gid & 0x20000000u) != 0) << x << ',' << y;
            }
        }
    }
}

// Compressed data streams in and keeps its ids 16 bits wide while they fit;
// whatever the data's form (XML tiles among them) and wherever the first wide id comes, a layer's
// cells are the ids written, the cells past a short data unreached, and a
// partial last id no cell. Ten thousand ids span several of the stream's
// windows; a zstd stream of two frames cut inside an id hands it over in two
// pieces.
TEST(Cells, TheIdsWrittenWhateverTheDataAndWhereverTheFirstWideId) {
    constexpr int32_t kSide = 100;
    std::mt19937 random(9);
    std::vector<uint32_t> narrow(size_t{kSide} * kSide);
    for (uint32_t& gid : narrow)  // numbers below 8192, flipped or not
        gid = random() % 4 == 0 ? 0 : (random() % 8) << 29 | (1 + random() % 8191);
    narrow.back() = 0x40000000u | 77;
    struct Case {
        std::string what;
        std::vector<uint32_t> gids;
        size_t extraBytes;  // of a partial last id
    };
    std::vector<Case> cases = {{"all narrow", narrow, 0}};
    for (const size_t at : {size_t{0}, size_t{4095}, size_t{9000}}) {
        Case wide{"wide from id " + std::to_string(at), narrow, 0};
        // a number past 13 bits, or the fourth flag, which counts as part of it
        wide.gids[at] = at == 4095 ? 0x10000007u : 8192u;
        cases.push_back(wide);
    }
    Case shortData{"short, a partial id", narrow, 2};
    shortData.gids.resize(7001);
    shortData.gids.back() = 0x20000000u | 78;
    cases.push_back(shortData);

    for (const Case& c : cases) {
        std::vector<uint8_t> bytes;
        std::string csv;
        std::string tiles;
        for (const uint32_t gid : c.gids) {
            for (int shift = 0; shift < 32; shift += 8)
                bytes.push_back(static_cast<uint8_t>(gid >> shift));
            csv += std::to_string(gid) + ",";
            tiles += gid == 0 ? "\n   <tile/>" : "\n   <tile gid=\"" + std::to_string(gid) + "\"/>";
        }
        bytes.insert(bytes.end(), c.extraBytes, 0x41);
        // zstd in two frames, the cut two bytes into an id
        const size_t cut = 4 * 1234 + 2;
        std::vector<uint8_t> zstd;
        for (const auto& [from, to] : {std::pair{size_t{0}, cut}, std::pair{cut, bytes.size()}}) {
            std::vector<uint8_t> frame(ZSTD_compressBound(to - from));
            frame.resize(
                ZSTD_compress(frame.data(), frame.size(), bytes.data() + from, to - from, 3));
            zstd.insert(zstd.end(), frame.begin(), frame.end());
        }
        const std::pair<std::string, std::string> forms[] = {
            {"", tiles + "\n  "},
            {"encoding=\"csv\"", csv},
            {"encoding=\"base64\"", Base64Encode(bytes)},
            {"encoding=\"base64\" compression=\"zlib\"",
             Base64Encode(Deflate(bytes, Wrapper::Zlib))},
            {"encoding=\"base64\" compression=\"gzip\"",
             Base64Encode(Deflate(bytes, Wrapper::Gzip))},
            {"encoding=\"base64\" compression=\"zstd\"", Base64Encode(zstd)},
        };
        for (const auto& [attributes, data] : forms) {
            SCOPED_TRACE(testing::Message() << c.what << ", " << attributes);
            tmx::TmxMap map;
            const std::string size = "width=\"100\" height=\"100\"";
            map.LoadFromText("<map " + size + " tilewidth=\"8\" tileheight=\"8\">" +
                             "<tileset firstgid=\"1\"/><layer " + size + "><data " + attributes +
                             ">" + data + "</data></layer></map>");
            ASSERT_FALSE(map.failed()) << map.errorMessage();
            const tmx::TmxLayer& layer = map.layers().at(0);
            ASSERT_FALSE(layer.dataProblem().has_value());
            size_t k = 0;
            size_t mismatches = 0;
            int64_t outside = 0;
            // The left half: the right half's tiles counted outside.
            layer.VisitCells(
                {0, 0, kSide / 2, kSide},
                [&](int32_t x, int32_t y, const uint32_t* gid) {
                    k = size_t(y) * kSide + size_t(x);
                    const int64_t expected = k < c.gids.size() ? int64_t{c.gids[k]} : -1;
                    mismatches += (gid != nullptr ? int64_t{*gid} : -1) != expected;
                },
                &outside);
            EXPECT_EQ(mismatches, 0u);
            int64_t expectedOutside = 0;
            for (size_t i = 0; i < c.gids.size(); ++i)
                expectedOutside += i % kSide >= kSide / 2 && (c.gids[i] & tmx::kTileIdMask) != 0;
            EXPECT_EQ(outside, expectedOutside);
            const size_t last = c.gids.size() - 1;
            const tmx::TmxCell cell = layer.TileAt(int32_t(last % kSide), int32_t(last / kSide));
            EXPECT_EQ(cell.localId, int32_t(c.gids[last] & tmx::kTileIdMask) - 1);
            EXPECT_EQ(cell.flipVertical, c.extraBytes == 0);
            EXPECT_EQ(cell.flipDiagonal, c.extraBytes != 0);
            EXPECT_EQ(layer.TileAt(kSide - 1, kSide - 1).tilesetIndex, 0);  // reached or not
        }
    }
}

// The orientations a program can tell apart, and the name as written for the
// others (a hexagonal map converts as if orthogonal).
TEST(Map, OrientationsAreToldApart) {
    const struct {
        const char* name;
        tmx::TmxOrientation orientation;
    } rows[] = {{"orthogonal", tmx::TmxOrientation::Orthogonal},
                {"isometric", tmx::TmxOrientation::Isometric},
                {"staggered", tmx::TmxOrientation::Staggered},
                {"hexagonal", tmx::TmxOrientation::Orthogonal}};
    for (const auto& row : rows) {
        tmx::TmxMap map;
        map.LoadFromText(std::string("<map orientation=\"") + row.name + "\"/>");
        EXPECT_EQ(map.orientationName(), row.name);
        EXPECT_EQ(map.orientation(), row.orientation) << row.name;
        // None is taken for another: a program may switch on them.
        const int kinds = (map.orientation() == tmx::TmxOrientation::Orthogonal) +
                          (map.orientation() == tmx::TmxOrientation::Isometric) +
                          (map.orientation() == tmx::TmxOrientation::Staggered);
        EXPECT_EQ(kinds, 1) << row.name;
    }
}

// What the map element says: its version as a number, and its properties
// past one that has no name.
TEST(Map, ReadsItsVersionAndEveryNamedProperty) {
    tmx::TmxMap map;
    map.LoadFromText(
        "<map version=\"1.8\"><properties><property value=\"no name\"/>"
        "<property name=\"Level\" value=\"3\"/></properties></map>");
    EXPECT_DOUBLE_EQ(map.version(), 1.8);
    EXPECT_EQ(map.properties().ValueOf("Level"), "3");
    EXPECT_EQ(map.properties().entries().size(), 1u);
}

}  // namespace
