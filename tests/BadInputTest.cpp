// Whatever a file holds, the converter ends in a defined way: a correct zone
// script, or a message and status 1 with nothing written. And the largest
// inputs it accepts stay within known time and memory.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>

#include "Encoders.h"
#include "RunConverter.h"
#include "TestSupport.h"
#include "TmxMap.h"

namespace {

const char kNothing[] = "\r\n\r\n\r\n";

// `map.tmx` holding `bytes` cannot be loaded: status 1, the loader's message,
// and the zone script already there is left as it was.
void ExpectRefused(const std::string& bytes, const std::string& message) {
    ScratchDir dir;
    WriteFile(dir / "map.tmx", bytes);
    WriteFile(dir / "map.txt", "keep");
    const Outcome run = Convert(dir, {"map.tmx"});
    EXPECT_EQ(run.status, 1) << message;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "VeltTileConverter: cannot load map [map.tmx]: " + message + "\n");
    EXPECT_EQ(ReadFile(dir / "map.txt"), "keep");
    EXPECT_EQ(FilesIn(dir), (std::vector<std::string>{"map.tmx", "map.txt"}));
}

// `map.tmx` holding `bytes` converts, to exactly `expected`, with this warning
// (or none).
void ExpectConverted(const std::string& bytes, const std::string& expected,
                     const std::string& warning = "") {
    ScratchDir dir;
    WriteFile(dir / "map.tmx", bytes);
    const Outcome run = Convert(dir, {"map.tmx"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
              warning.empty() ? "" : "VeltTileConverter: warning: layer \"l\": " + warning + "\n");
    EXPECT_EQ(ReadFile(dir / "map.txt"), expected);
    EXPECT_EQ(FilesIn(dir), (std::vector<std::string>{"map.tmx", "map.txt"}));
}

TEST(BadInput, FilesThatAreNotMapsAreRefused) {
    std::mt19937 random(7);
    std::string binary(4096, '\0');
    for (char& byte : binary)
        byte = static_cast<char>(random());
    binary[0] = '\x89';  // never "<": no document at all
    ExpectRefused(binary, "Error document empty.");

    const std::string village = ReadFile(TEST_MAPS_DIR "/village-csv.tmx");
    ASSERT_GT(village.size(), 1000u);
    const size_t midTag = village.find("<layer") + 8;
    ExpectRefused(village.substr(0, midTag), "Error reading Attributes.");
    ExpectRefused(village.substr(0, village.size() / 2), "Error reading Element value.");
    ExpectRefused(std::string("<map width=\"3\0\"/>", 17), "Error parsing Element.");
    ExpectRefused("<?xml version=\"1.0\"?>\n<!-- no map -->\n<tileset firstgid=\"1\"/>",
                  "The document has no map element.");

    // Found by fuzzing: TinyXML stepped past the end of a text that ends
    // inside a UTF-8 sequence. Under AddressSanitizer this input was a read
    // outside the buffer; now it is an ordinary parse error.
    ExpectRefused(ReadFile(TEST_MAPS_DIR "/fuzz-utf8-at-end.tmx"), "Error parsing Element.");
    for (const char* lead : {"\xc3", "\xe2\x82", "\xf0\x9f\x98"}) {
        for (const char* start : {"<map a=\"1\" b=\"", "<map a", "<map>text", "<map><!--"}) {
            tmx::TmxMap map;
            map.LoadFromText(std::string(start) + "\xc3\xa9" + lead);
            EXPECT_EQ(map.errorCode(), tmx::TmxLoadError::XmlParseFailed) << start << lead;
        }
    }

    std::string deep = "<map>";
    for (int i = 0; i < 100000; ++i)
        deep += "<group>";
    ExpectRefused(deep, "Elements are nested deeper than 1000 levels.");
}

TEST(BadInput, FilesTooLargeToReadAreRefused) {
    ScratchDir dir;
    WriteFile(dir / "map.tmx", MapText(""));
    // Sparse: 256 MiB + 1 byte of size without the disk space.
    std::filesystem::resize_file(dir / "map.tmx", (uint64_t{256} << 20) + 1);
    const Outcome run = Convert(dir, {"map.tmx"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              "VeltTileConverter: cannot load map [map.tmx]: The size of the file is invalid.\n");
    EXPECT_EQ(FilesIn(dir), (std::vector<std::string>{"map.tmx"}));
}

TEST(BadInput, OddButReadableMapsConvert) {
    const std::string header = "<properties><property name=\"Level\" value=\"2\"/></properties>";
    const std::string level = "#DEF_LEVEL\t2\t\r\r\n";
    // A NUL after the map ends what the parser reads; the rest is never seen.
    ExpectConverted(MapText(header) + std::string("\0<garbage", 9), level + kNothing);
    // Sizes no grid can have: no cells, nothing to place, no crash.
    const struct {
        const char* size;
        const char* warning;
    } sizes[] = {
        {R"(width="-5" height="4")", ""},
        {R"(width="0" height="4")", ""},
        {R"(width="2147483647" height="2147483647")",
         "it declares 2147483647 x 2147483647 cells, more than a map may hold"},
        {R"(width="99999999999" height="3")",
         "it declares 1215752191 x 3 cells, more than a map may hold"},
        {R"(width="30000" height="30000")",
         "it declares 30000 x 30000 cells, more than a map may hold"},
        {R"(width="65536" height="16384")",
         "it declares 65536 x 16384 cells, more than a map may hold"},
    };
    for (const auto& row : sizes) {
        ExpectConverted(MapText(header + "<tileset firstgid=\"1\"/><layer name=\"l\" " + row.size +
                                "><data encoding=\"csv\">2,2,2,2</data></layer>"),
                        level + kNothing, row.warning);
    }
    // Layer data that cannot be decoded leaves its cells empty.
    const struct {
        const char* data;
        const char* warning;
    } data[] = {
        {R"(<data encoding="base64">!!!!</data>)", ""},
        {R"(<data encoding="base64">AgAA</data>)", ""},
        {R"(<data encoding="base64" compression="zlib">AgAAAAIAAAA=</data>)",
         "its zlib data could not be inflated"},
        {R"(<data encoding="base64" compression="gzip">H4sIAAAAAAAAA2NkYAAAR</data>)",
         "its gzip data could not be inflated"},
        {R"(<data encoding="base64" compression="gzip"></data>)",
         "its gzip data could not be inflated"},
        {R"(<data encoding="base64" compression="zstd">KLUv/QBYAAAA</data>)",
         "its zstd data could not be decoded"},
        {R"(<data encoding="base64" compression="lz4">AAAAAA==</data>)",
         "its compression \"lz4\" is unknown; the data was read as uncompressed"},
        {R"(<data encoding="csv">,,,x,,</data>)", ""},
        {R"(<data><tile gid="-"/></data>)", ""},
    };
    for (const auto& row : data) {
        ExpectConverted(MapText(header +
                                "<tileset firstgid=\"1\"/><layer name=\"l\" width=\"4\" "
                                "height=\"4\">" +
                                row.data + "</layer>"),
                        level + kNothing, row.warning);
    }
}

// Sanitizers slow the converter down and add their own memory.
#if defined(__SANITIZE_ADDRESS__)
constexpr double kSlack = 4;
#else
constexpr double kSlack = 1;
#endif

// Each case prints what it cost, for the limits table of the README.
void ExpectWithin(const std::string& label, const std::string& map, double seconds, long mebibytes,
                  const std::string& expected = kNothing) {
    ScratchDir dir;
    WriteFile(dir / "map.tmx", map);
    const Outcome run = Convert(dir, {"map.tmx"});
    EXPECT_EQ(run.status, 0) << label << run.err;
    EXPECT_TRUE(ReadFile(dir / "map.txt") == expected) << label;
    EXPECT_LT(run.seconds, seconds * kSlack) << label;
    EXPECT_LT(static_cast<double>(run.maxRssMiB), static_cast<double>(mebibytes) * kSlack) << label;
    std::printf("[ cost     ] %-42s %6.2f MiB file %6.2f s %5ld MiB peak\n", label.c_str(),
                static_cast<double>(map.size()) / (1 << 20), run.seconds, run.maxRssMiB);
}

std::string Layer(int width, int height, const std::string& data) {
    return "<tileset firstgid=\"1\"/><layer width=\"" + std::to_string(width) + "\" height=\"" +
           std::to_string(height) + "\">" + data + "</layer>";
}

// The zone script of a map whose 128 x 128 grid is all code 16 (local id 1):
// every block full, but those at origin 126, which hold only two columns or rows.
std::string FullGridScript() {
    std::string definitions;
    std::string placements;
    int id = 10001;
    for (int y = 0; y < 128; y += 6) {
        for (int x = 0; x < 128; x += 6, ++id) {
            for (int row = 0; row < 6; ++row) {
                definitions += "#DEF_TILE\t" + std::to_string(id) + "\t" + std::to_string(row + 1);
                for (int column = 0; column < 6; ++column) {
                    definitions += x + column < 128 && y + row < 128 ? "\t16" : "\t0";
                }
                definitions += "\t\r\n";
            }
            definitions += "\r\n";
            placements += "#IMP_TILE\t" + std::to_string(id) + "\t" + std::to_string(2 * x) + "\t" +
                          std::to_string(2 * y) + "\r\n";
        }
    }
    return "\r\n" + definitions + placements + "\r\n\r\n";
}

TEST(ResourceBounds, CompressionBombsCostTimeNotMemory) {
    for (const Wrapper wrapper : {Wrapper::Zlib, Wrapper::Gzip}) {
        const std::string name = wrapper == Wrapper::Zlib ? "zlib" : "gzip";
        const std::string data = "<data encoding=\"base64\" compression=\"" + name + "\">" +
                                 Base64Encode(ZerosBomb(4096, wrapper)) + "</data>";
        ExpectWithin(name + " inflating to 4 GiB, 128 x 128 layer", MapText(Layer(128, 128, data)),
                     20, 100);
    }
}

TEST(ResourceBounds, ManySmallChunks) {
    // An infinite map's layer of one-cell chunks: the whole grid, then 200,000
    // beyond it. Laying each chunk must not cost a search of all the others.
    std::string chunks = "<data encoding=\"csv\">";
    for (int i = 0; i < 128 * 128 + 200000; ++i) {
        const int x = i < 128 * 128 ? i % 128 : 128 + i;
        chunks += "<chunk x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(i / 128 % 128) +
                  "\" width=\"1\" height=\"1\">2</chunk>";
    }
    ExpectWithin("216,384 chunks of one cell", MapText(Layer(4, 4, chunks + "</data>")), 5, 300,
                 FullGridScript());
}

TEST(ResourceBounds, ManyTilesetsAndLayers) {
    // The most tilesets a map may have, and a hundred full layers whose every
    // cell belongs to the first tileset: a lookup must not walk all of them.
    std::string map;
    for (int i = 0; i < 4096; ++i) {
        map += "<tileset firstgid=\"" + std::to_string(1 + 300 * i) + "\"/>";
    }
    const std::string data =
        "<data encoding=\"base64\" compression=\"zlib\">" +
        Base64Encode(Deflate(LittleEndian(std::vector<uint32_t>(128 * 128, 2)), Wrapper::Zlib)) +
        "</data>";
    for (int i = 0; i < 100; ++i) {
        map += "<layer width=\"128\" height=\"128\">" + data + "</layer>";
    }
    ExpectWithin("4096 tilesets, 100 layers of 128 x 128", MapText(map), 5, 100, FullGridScript());
}

TEST(ResourceBounds, HugeDeclarationsAndLongData) {
    ExpectWithin("30000 x 30000 layer, two cells of data",
                 MapText(Layer(30000, 30000, "<data encoding=\"csv\">2,2</data>")), 2, 50);

    std::string csv = "<data encoding=\"csv\">";
    for (int row = 0; row < 1000; ++row) {
        csv += '\n';
        for (int column = 0; column < 1000; ++column)
            csv += "2,";
    }
    ExpectWithin("CSV of 1,000,000 tokens, 1000 x 1000 layer",
                 MapText(Layer(1000, 1000, csv + "</data>")), 5, 100, FullGridScript());

    // The most cells a map may declare, every one of them decoded. (The ids
    // are freed before the run: a child forked from a large process counts
    // that process's memory as its own peak.)
    std::string largest;
    {
        std::vector<uint8_t> twos(size_t{4} << 26);
        for (size_t i = 0; i < twos.size(); i += 4)
            twos[i] = 2;
        largest = MapText(Layer(8192, 8192,
                                "<data encoding=\"base64\" compression=\"zlib\">" +
                                    Base64Encode(Deflate(twos, Wrapper::Zlib)) + "</data>"));
    }
    ExpectWithin("8192 x 8192 layer, zlib (the largest map)", largest, 20, 400, FullGridScript());
}

}  // namespace
