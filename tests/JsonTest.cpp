// A JSON map reads as the TMX map Tiled saves from it: numbers as Tiled
// writes them (checked against Tiled's own output), multi-line texts as the
// XML parser condenses them, and every layer encoding to the same cells.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "Encoders.h"
#include "tmx/decode/TmxNumbers.h"
#include "tmx/model/TmxMap.h"
#include "tmx/read/TmxJson.h"
#include "tmx/read/TmxTemplate.h"

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

// Everything a program that links the loader can read of a map, but where
// things stand in the file, one line a field.
std::string Dump(const tmx::TmxMap& map) {
    std::ostringstream out;
    const auto properties = [&](const tmx::TmxProperties& set) {
        for (const auto& [name, property] : set.entries())
            out << " " << name << "=" << property.value
                << (property.joinedLines ? " (joined)" : "");
        out << "\n";
    };
    out << "map " << map.orientationName() << " " << map.width() << "x" << map.height() << " "
        << map.tileWidth() << "x" << map.tileHeight() << ":";
    properties(map.properties());
    for (const tmx::TmxTileset& t : map.tilesets()) {
        out << "tileset " << t.firstGid() << " " << t.name() << " " << t.source() << " "
            << t.tileWidth() << "x" << t.tileHeight() << " " << t.margin() << " " << t.spacing();
        if (t.image()) out << " image " << t.image()->source() << " " << t.image()->width();
        for (const tmx::TmxTile& tile : t.tiles())
            out << " tile " << tile.id();
        out << ":";
        properties(t.properties());
    }
    // Tiled writes an infinite map's layer as the map's size in TMX and as
    // its chunks' bounds in JSON: the size of a layer in chunks is not compared.
    const auto attributes = [&](const tmx::TmxLayerAttributes& l, bool sized) {
        out << l.orderIndex() << " " << l.id() << " " << l.name() << " ";
        if (sized) out << l.width() << "x" << l.height() << " ";
        out << l.opacity() << " " << l.visible() << " " << l.offsetX() << "," << l.offsetY() << ":";
        properties(l.properties());
    };
    for (const tmx::TmxLayer& layer : map.layers()) {
        out << "layer ";
        const std::vector<tmx::TmxChunk>& chunks = layer.chunks();
        attributes(layer, chunks.size() == 1 && chunks[0].x == 0 && chunks[0].y == 0 &&
                              chunks[0].width == layer.width() &&
                              chunks[0].height == layer.height() && layer.width() == map.width() &&
                              layer.height() == map.height());
        for (const tmx::TmxChunk& chunk : layer.chunks()) {
            out << " chunk " << chunk.x << "," << chunk.y << " " << chunk.width << "x"
                << chunk.height << ":";
            for (size_t k = 0; k < chunk.gids.size(); ++k)
                out << " " << chunk.gids[k];
            out << "\n";
        }
    }
    for (const tmx::TmxImageLayer& layer : map.imageLayers()) {
        out << "image layer " << (layer.image() ? layer.image()->source() : "") << " ";
        attributes(layer, true);
    }
    for (const tmx::TmxGroup& g : map.groups()) {
        out << "group " << g.id << " " << g.name << " " << g.visible << " " << g.offsetX << ","
            << g.offsetY << " " << g.firstOrder << "-" << g.endOrder << " in " << g.parent << "\n";
    }
    for (const tmx::TmxObjectGroup& g : map.objectGroups()) {
        out << "objects " << g.orderIndex() << " " << g.id() << " " << g.name() << " "
            << g.visible() << " " << g.offsetX() << "," << g.offsetY() << ":";
        properties(g.properties());
        for (const tmx::TmxObject& o : g.objects()) {
            out << " object " << o.id() << " " << o.name() << " " << o.type() << " "
                << o.templatePath() << " " << o.x() << "," << o.y() << " " << o.width() << "x"
                << o.height() << " " << o.gid() << " shape " << static_cast<int>(o.shape());
            if (o.ellipse())
                out << " ellipse " << o.ellipse()->centerX << "," << o.ellipse()->radiusY;
            const tmx::TmxPointList* lists[] = {o.polygon() ? &*o.polygon() : nullptr,
                                                o.polyline() ? &*o.polyline() : nullptr};
            for (const tmx::TmxPointList* points : lists) {
                if (points == nullptr) continue;
                out << " points";
                for (const tmx::TmxPoint& p : points->points())
                    out << " " << p.x << "," << p.y;
                out << " partial " << points->partialCount();
            }
            out << ":";
            properties(o.properties());
        }
    }
    return out.str();
}

// Case maps Tiled saved both as TMX and as JSON (tests/data/twins, made by
// scripts/make-json-twins) read into the same model, field by field: both
// readers fill every field alike.
TEST(Json, TwinsReadIntoTheSameModel) {
    namespace fs = std::filesystem;
    int twins = 0;
    for (const auto& entry : fs::directory_iterator(TEST_DATA_DIR "/twins")) {
        if (entry.path().extension() != ".tmj") continue;
        fs::path tmx = entry.path();
        tmx.replace_extension(".tmx");
        if (!fs::exists(tmx)) continue;
        tmx::TmxTemplates templates;
        tmx::TmxMap fromTmx;
        fromTmx.LoadFromFile(tmx.string(), &templates);
        tmx::TmxMap fromJson;
        fromJson.LoadFromFile(entry.path().string(), &templates);
        EXPECT_EQ(Dump(fromJson), Dump(fromTmx)) << entry.path();
        ++twins;
    }
    EXPECT_GE(twins, 18);
}

// Whole numbers at the edges of 64 bits, and past them, read from JSON as
// TMX reads the same digits: an object's id as "%d" does, a tile id keeping
// its low 32 bits as the CSV reading of its digits does. (Whole numbers
// below -2^63 or from 2^64 on, the JSON parser refuses with the document.)
TEST(Json, NumbersAtTheEdgesOf64BitsReadAsTheirDigits) {
    for (const std::string number : {"2147483647", "2147483648", "-2147483649", "4294967296",
                                     "4294967297", "9223372036854775807", "9223372036854775808",
                                     "-9223372036854775808", "18446744073709551615"}) {
        tmx::TmxMap fromXml;
        fromXml.LoadFromText(
            "<map width=\"2\" height=\"1\"><tileset firstgid=\"1\"/>"
            "<layer width=\"2\" height=\"1\"><data encoding=\"csv\">" +
            number + ",7</data></layer><objectgroup><object id=\"" + number +
            "\"/></objectgroup></map>");
        tmx::TmxMap fromJson;
        fromJson.LoadFromText(
            "{\"type\":\"map\",\"width\":2,\"height\":1,\"tilesets\":[{\"firstgid\":1}],"
            "\"layers\":[{\"type\":\"tilelayer\",\"width\":2,\"height\":1,\"data\":[" +
            number + ",7]},{\"type\":\"objectgroup\",\"objects\":[{\"id\":" + number + "}]}]}");
        ASSERT_FALSE(fromXml.failed() || fromJson.failed()) << number;
        EXPECT_EQ(Dump(fromJson), Dump(fromXml)) << number;
        EXPECT_EQ(Cells(fromJson), Cells(fromXml)) << number;
    }
}

// The loader takes the ids out of its own copy of a map before the parse;
// a caller's text is parsed whole. Both read into one model, whatever the
// arrays hold and wherever they stand.
TEST(Json, IdsTakenOutBeforeTheParseReadAsTheParsedOnes) {
    const auto layer = [](const std::string& rest) {
        return "{\"type\":\"tilelayer\",\"width\":3,\"height\":2," + rest + "}";
    };
    const auto map = [](const std::string& layers, const std::string& key = "layers") {
        return "{\"type\":\"map\",\"width\":3,\"height\":2,\"tilesets\":[{\"firstgid\":1}],\n\"" +
               key + "\":[" + layers + "],\n\"properties\":[{\"name\":\"after\",\"value\":1}]}";
    };
    const std::vector<std::string> maps = {
        map(layer("\"data\":[1, 2, 3,\r\n 4,\t5,6]") + ",\n" + layer("\"data\":[7,8,9,10,11,12]")),
        map(layer("\"data\":[4294967297,9223372036854775807,9223372036854775808,"
                  "18446744073709551615,9999999999999999999,0]")),
        // What the parser reads another way, or not at all, stays for it.
        map(layer("\"data\":[18446744073709551616,1]")),
        map(layer("\"data\":[-1,2]") + "," + layer("\"data\":[1.0,2]") + "," +
            layer("\"data\":[1e2,2]") + "," + layer("\"data\":[]") + "," +
            layer("\"data\":[ \n ]") + "," + layer("\"data\":[3,\"4\",5]")),
        map(layer("\"data\":[00,1]")),
        map(layer("\"data\":[1,]")),
        map(layer("\"data\":[,1]")),
        map(layer("\"data\":[1 2]")),
        map(layer("\"data\":[1,2")),
        map(layer("\"data\":[1,2]")),
        map(layer("\"data\":[1,2] \"x\":1")),
        // The parser's reader takes the first of two keys alike.
        map(layer("\"data\":[1,2],\"data\":[3,4]")),
        map(layer("\"data\":[1,\"x\"],\"data\":[3,4]")),
        map(layer("\"data\":\"AQAAAA==\",\"data\":[3,4]")),
        map(layer("\"data\":5,\"data\":[3,4]")),
        map(layer("\"d\\u0061ta\":[1,2],\"data\":[3,4]")),
        map(layer("\"data\":[1,2]")).insert(1, "\"layers\":[" + layer("\"data\":[3,4]") + "],"),
        "{\"l\\u0061yers\":[" + layer("\"data\":[]") + "],\"layers\":[" + layer("\"data\":[3,4]") +
            "],\"type\":\"map\"}",
        // Chunks counted as the reader counts them, groups, and arrays named
        // "data" that hold no layer's ids.
        map("{\"type\":\"tilelayer\",\"chunks\":[7,{\"x\":0,\"y\":0,\"width\":2,\"height\":1,"
            "\"data\":[5,6]},{\"x\":2,\"y\":0,\"width\":1,\"height\":1,\"data\":[8]}]}"),
        map("{\"type\":\"group\",\"layers\":[" + layer("\"data\":[1,2,3]") + "," +
            layer("\"data\":[4,5,6]") + "]}," + layer("\"data\":[9]")),
        map("{\"type\":\"objectgroup\",\"data\":[1,2],\"objects\":[{\"id\":1,\"data\":[3]}]}," +
            layer("\"properties\":[{\"name\":\"p\",\"type\":\"class\",\"value\":{\"data\":[1]}}],"
                  "\"data\":[2,3]")),
        map(layer("\"data\":[1,2]"), "tilesets\":[],\"layers"),
    };
    for (const std::string& json : maps) {
        std::string copy = json + std::string(tmx::kJsonPadding, '\0');
        const std::string callers = copy;
        tmx::TmxMap lifted;
        tmx::TmxJsonReader::ReadMap(lifted, copy.data(), json.size(), &copy);
        tmx::TmxMap parsed;
        tmx::TmxJsonReader::ReadMap(parsed, callers.data(), json.size(), nullptr);
        EXPECT_EQ(lifted.errorMessage(), parsed.errorMessage()) << json;
        EXPECT_EQ(Dump(lifted), Dump(parsed)) << json;
        EXPECT_EQ(Cells(lifted), Cells(parsed)) << json;
        ASSERT_EQ(lifted.layers().size(), parsed.layers().size()) << json;
        for (size_t i = 0; i < lifted.layers().size(); ++i) {
            EXPECT_EQ(lifted.layers()[i].location().line, parsed.layers()[i].location().line);
            EXPECT_EQ(lifted.layers()[i].location().column, parsed.layers()[i].location().column);
        }
    }
}

}  // namespace
