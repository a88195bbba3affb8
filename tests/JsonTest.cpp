// A JSON map reads as the TMX map Tiled saves from it: numbers as Tiled
// writes them (checked against Tiled's own output), multi-line texts as the
// XML parser condenses them, and every layer encoding to the same cells.

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

#include "Encoders.h"
#include "tmx/decode/TmxNumbers.h"
#include "tmx/model/TmxMap.h"
#include "tmx/read/TmxJson.h"

namespace {

TEST(Json, NumbersAsTiledWritesThemInTmx) {
    std::ifstream table(TEST_DATA_DIR "/tiled-numbers.txt");
    int rows = 0;
    for (std::string line; std::getline(table, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string number, asFloat, asPosition;
        fields >> number >> asFloat >> asPosition;
        const double value = std::stod(number);
        EXPECT_EQ(tmx::TiledFloatText(value), asFloat) << number;
        int32_t ours = -1;
        int32_t tiled = -1;
        tmx::ScanInt(tmx::TiledPositionText(value).c_str(), ours);
        tmx::ScanInt(asPosition.c_str(), tiled);
        EXPECT_EQ(ours, tiled) << number;
        ++rows;
    }
    EXPECT_GT(rows, 100);
}

std::string JsonEscaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\r')
            out += "\\r";
        else if (c == '"' || c == '\\')
            out += std::string("\\") + c;
        else
            out += c;
    }
    return out;
}

std::string XmlEscaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else
            out += c;
    }
    return out;
}

// Tiled writes a text holding a line break as element content, which the XML
// parser condenses; a JSON map's text must read the same.
TEST(Json, MultiLineTextsReadAsTheXmlParserReadsThem) {
    const char* const pieces[] = {" ",    "  ", "\t", "\n", "\r\n", "Old",
                                  "Mill", "&",  "<",  "é",  "\""};
    std::mt19937 random(5);
    for (int round = 0; round < 500; ++round) {
        std::string title;
        for (size_t n = 1 + random() % 8; n > 0; --n)
            title += pieces[random() % std::size(pieces)];
        tmx::TmxMap fromXml;
        fromXml.LoadFromText("<map><properties><property name=\"Title\">" + XmlEscaped(title) +
                             "</property></properties></map>");
        tmx::TmxMap fromJson;
        fromJson.LoadFromText(
            "{\"type\":\"map\",\"properties\":[{\"name\":\"Title\",\"type\":"
            "\"string\",\"value\":\"" +
            JsonEscaped(title) + "\"}]}");
        ASSERT_FALSE(fromJson.failed()) << fromJson.errorMessage();
        const tmx::TmxProperty* xml = fromXml.properties().Find("Title");
        ASSERT_NE(xml, nullptr);
        // Joined where a line break stands between its first and last visible
        // character; breaks around them are only trimmed.
        const size_t first = title.find_first_not_of(" \t\r\n");
        const size_t last = title.find_last_not_of(" \t\r\n");
        const bool spans =
            first != std::string::npos &&
            title.substr(first, last - first).find_first_of("\r\n") != std::string::npos;
        EXPECT_EQ(xml->joinedLines, spans) << '"' << title << '"';
        if (title.find('\n') == std::string::npos) continue;  // an attribute in TMX
        EXPECT_EQ(fromJson.properties().ValueOf("Title"), xml->value) << '"' << title << '"';
        EXPECT_EQ(fromJson.properties().Find("Title")->joinedLines, spans) << '"' << title << '"';
    }
}

// Every cell of every tile layer, in map order.
std::vector<int64_t> Cells(const tmx::TmxMap& map) {
    std::vector<int64_t> cells;
    for (const tmx::TmxLayer& layer : map.layers()) {
        layer.VisitCells({-40, -40, 40, 40}, [&](int32_t x, int32_t y, const uint32_t* gid) {
            cells.insert(cells.end(), {x, y, gid != nullptr ? int64_t{*gid} : -1});
        });
    }
    return cells;
}

std::string Base64Data(const std::vector<uint32_t>& gids, int compression) {
    std::vector<uint8_t> bytes;
    for (const uint32_t gid : gids)
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<uint8_t>(gid >> shift));
    if (compression > 0) bytes = Deflate(bytes, compression == 1 ? Wrapper::Zlib : Wrapper::Gzip);
    return Base64Encode(bytes);
}

// Random layers, finite or in chunks, with data as ids or base64 (plain,
// zlib, gzip), some shorter than their grid: the same cells from TMX and JSON.
TEST(Json, EveryLayerEncodingGivesTheCellsOfTmx) {
    const char* const compressions[] = {"", "zlib", "gzip"};
    std::mt19937 random(9);
    for (int round = 0; round < 200; ++round) {
        const int encoding = static_cast<int>(random() % 4);  // ids, or base64 with a compression
        std::string xml = "<map><tileset firstgid=\"1\"/><tileset firstgid=\"100\"/>";
        std::string json =
            "{\"type\":\"map\",\"tilesets\":[{\"firstgid\":1},{\"firstgid\":100}],"
            "\"layers\":[";
        for (int layer = 0; layer < 3; ++layer) {
            const auto width = static_cast<int>(1 + random() % 6);
            const auto height = static_cast<int>(1 + random() % 6);
            std::vector<uint32_t> gids(random() % (size_t(width * height) + 2));
            for (uint32_t& gid : gids)
                gid = random() % 4 == 0 ? 0
                                        : (random() % 200) | (random() % 9 == 0 ? 0xA0000000u : 0);
            std::string csv;
            for (const uint32_t gid : gids)
                csv.append(csv.empty() ? "" : ",").append(std::to_string(gid));
            const std::string compression = encoding > 0 ? compressions[encoding - 1] : "";
            // The same ids in TMX's and in JSON's words.
            const std::string content = encoding == 0 ? csv : Base64Data(gids, encoding - 1);
            const std::string dataTag =
                encoding == 0
                    ? "<data encoding=\"csv\">"
                    : "<data encoding=\"base64\"" +
                          (compression.empty() ? "" : " compression=\"" + compression + "\"") + ">";
            const std::string jsonData = encoding == 0 ? "[" + csv + "]" : "\"" + content + "\"";
            const std::string jsonEncoding =
                encoding == 0 ? ""
                              : ",\"encoding\":\"base64\",\"compression\":\"" + compression + "\"";
            const std::string size =
                "width=\"" + std::to_string(width) + "\" height=\"" + std::to_string(height) + "\"";
            const std::string jsonSize =
                ",\"width\":" + std::to_string(width) + ",\"height\":" + std::to_string(height);
            json += std::string(layer ? "," : "") + "{\"type\":\"tilelayer\"" + jsonEncoding;
            if (random() % 2 == 0) {
                xml += "<layer " + size + ">" + dataTag + content + "</data></layer>";
                json += jsonSize + ",\"data\":" + jsonData + "}";
            } else {  // an infinite map's layer: one chunk anywhere
                const std::string x = std::to_string(static_cast<int>(random() % 20) - 10);
                const std::string y = std::to_string(static_cast<int>(random() % 20) - 10);
                xml += "<layer>" + dataTag + "<chunk x=\"" + x + "\" y=\"" + y + "\" " + size +
                       ">" + content + "</chunk></data></layer>";
                json += ",\"chunks\":[{\"x\":" + x + ",\"y\":" + y + jsonSize +
                        ",\"data\":" + jsonData + "}]}";
            }
        }
        tmx::TmxMap fromXml;
        fromXml.LoadFromText(xml + "</map>");
        tmx::TmxMap fromJson;
        fromJson.LoadFromText(json + "]}");
        ASSERT_FALSE(fromXml.failed() || fromJson.failed()) << fromJson.errorMessage() << xml;
        ASSERT_EQ(Cells(fromJson), Cells(fromXml)) << xml << '\n' << json;
    }
}

}  // namespace
