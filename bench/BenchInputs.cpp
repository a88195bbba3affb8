#include "BenchInputs.h"

#include <random>

namespace {

std::vector<uint8_t> LittleEndian(const std::vector<uint32_t>& gids) {
    std::vector<uint8_t> bytes;
    for (const uint32_t gid : gids) {
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<uint8_t>(gid >> shift));
    }
    return bytes;
}

// A `data` element holding `gids` the way Tiled writes it: CSV with a line per
// row, base64 on a line of its own.
std::string DataElement(const std::vector<uint32_t>& gids, int width, LayerEncoding encoding) {
    switch (encoding) {
        case LayerEncoding::XmlTiles: {
            std::string text = "<data>\n";
            for (const uint32_t gid : gids)
                text += "   <tile gid=\"" + std::to_string(gid) + "\"/>\n";
            return text + "  </data>";
        }
        case LayerEncoding::Csv: {
            std::string text = "<data encoding=\"csv\">\n";
            for (size_t k = 0; k < gids.size(); ++k) {
                text += std::to_string(gids[k]);
                if (k + 1 < gids.size()) text += ',';
                if ((k + 1) % static_cast<size_t>(width) == 0) text += '\n';
            }
            return text + "</data>";
        }
        case LayerEncoding::Base64:
            return "<data encoding=\"base64\">\n   " + Base64Encode(LittleEndian(gids)) +
                   "\n  </data>";
        case LayerEncoding::Base64Zlib:
            return "<data encoding=\"base64\" compression=\"zlib\">\n   " +
                   Base64Encode(Deflate(LittleEndian(gids), Wrapper::Zlib)) + "\n  </data>";
        case LayerEncoding::Base64Gzip:
            return "<data encoding=\"base64\" compression=\"gzip\">\n   " +
                   Base64Encode(Deflate(LittleEndian(gids), Wrapper::Gzip)) + "\n  </data>";
    }
    return "";
}

std::string LayerElement(const std::string& name, int width, int height,
                         const std::vector<uint32_t>& gids, LayerEncoding encoding) {
    return " <layer name=\"" + name + "\" width=\"" + std::to_string(width) + "\" height=\"" +
           std::to_string(height) + "\">\n  " + DataElement(gids, width, encoding) +
           "\n </layer>\n";
}

const char* EncodingName(LayerEncoding encoding) {
    switch (encoding) {
        case LayerEncoding::XmlTiles:
            return "xml";
        case LayerEncoding::Csv:
            return "csv";
        case LayerEncoding::Base64:
            return "base64";
        case LayerEncoding::Base64Zlib:
            return "zlib";
        case LayerEncoding::Base64Gzip:
            return "gzip";
    }
    return "";
}

// Ground-like data: runs of the same tile, some empty cells, a few flipped.
std::vector<uint32_t> Gids(int width, int height, uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<uint32_t> gids(static_cast<size_t>(width) * static_cast<size_t>(height));
    uint32_t current = 1;
    for (uint32_t& gid : gids) {
        const uint32_t roll = random() % 100;
        if (roll < 20) current = 1 + random() % 256;
        gid = roll < 5 ? 0 : current | (roll == 99 ? 0x80000000u : 0u);
    }
    return gids;
}

BenchInput TileMap(int width, int height, int layers, LayerEncoding encoding) {
    BenchInput input;
    input.name = std::to_string(width) + "x" + std::to_string(height) + " " +
                 std::to_string(layers) + (layers == 1 ? " layer " : " layers ") +
                 EncodingName(encoding);
    input.encoding = encoding;
    input.layerBytes = static_cast<uint32_t>(4u * static_cast<uint32_t>(width * height));
    std::string body =
        "<tileset firstgid=\"1\" name=\"ground\" tilewidth=\"32\" tileheight=\"32\"/>\n";
    for (int layer = 0; layer < layers; ++layer) {
        const std::vector<uint32_t> gids =
            Gids(width, height, 1000u + static_cast<uint32_t>(layer));
        body += LayerElement("layer" + std::to_string(layer), width, height, gids, encoding);
        if (encoding == LayerEncoding::Base64Zlib || encoding == LayerEncoding::Base64Gzip) {
            input.compressed.push_back(
                Deflate(LittleEndian(gids),
                        encoding == LayerEncoding::Base64Zlib ? Wrapper::Zlib : Wrapper::Gzip));
        }
    }
    input.text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<map version=\"1.8\" "
        "orientation=\"orthogonal\" width=\"" +
        std::to_string(width) + "\" height=\"" + std::to_string(height) +
        "\" tilewidth=\"32\" tileheight=\"32\">\n" + body + "</map>\n";
    return input;
}

// The same map as Tiled writes it in JSON: ids as an array, or base64 text.
BenchInput JsonTileMap(int width, int height, int layers, LayerEncoding encoding) {
    BenchInput input;
    input.json = true;
    input.name = std::to_string(width) + "x" + std::to_string(height) + " " +
                 std::to_string(layers) + (layers == 1 ? " layer " : " layers ") +
                 EncodingName(encoding) + " json";
    input.encoding = encoding;
    input.layerBytes = static_cast<uint32_t>(4u * static_cast<uint32_t>(width * height));
    const bool compressed =
        encoding == LayerEncoding::Base64Zlib || encoding == LayerEncoding::Base64Gzip;
    std::string layersText;
    for (int layer = 0; layer < layers; ++layer) {
        const std::vector<uint32_t> gids =
            Gids(width, height, 1000u + static_cast<uint32_t>(layer));
        std::string data;
        if (encoding == LayerEncoding::Csv) {
            data = "[";
            for (size_t k = 0; k < gids.size(); ++k)
                data += (k == 0 ? "" : ", ") + std::to_string(gids[k]);
            data += "]";
        } else {
            std::vector<uint8_t> bytes = LittleEndian(gids);
            if (compressed) {
                bytes = Deflate(
                    bytes, encoding == LayerEncoding::Base64Zlib ? Wrapper::Zlib : Wrapper::Gzip);
                input.compressed.push_back(bytes);
            }
            data = "\"" + Base64Encode(bytes) + "\"";
        }
        layersText += std::string(layer == 0 ? "" : ",\n") + "  {\n   \"compression\":\"" +
                      (compressed ? EncodingName(encoding) : "") + "\",\n   \"data\":" + data +
                      ",\n" +
                      (encoding == LayerEncoding::Csv ? "" : "   \"encoding\":\"base64\",\n") +
                      "   \"height\":" + std::to_string(height) +
                      ",\n   \"id\":" + std::to_string(layer + 1) + ",\n   \"name\":\"layer" +
                      std::to_string(layer) +
                      "\",\n   \"opacity\":1,\n   \"type\":\"tilelayer\",\n   \"visible\":true,\n"
                      "   \"width\":" +
                      std::to_string(width) + ",\n   \"x\":0,\n   \"y\":0\n  }";
    }
    input.text = "{ \"compressionlevel\":-1,\n \"height\":" + std::to_string(height) +
                 ",\n \"infinite\":false,\n \"layers\":[\n" + layersText +
                 "],\n \"orientation\":\"orthogonal\",\n \"renderorder\":\"right-down\",\n"
                 " \"tileheight\":32,\n \"tilesets\":[{\"firstgid\":1, \"name\":\"ground\", "
                 "\"tilewidth\":32, \"tileheight\":32}],\n \"tilewidth\":32,\n \"type\":\"map\",\n"
                 " \"version\":\"1.8\",\n \"width\":" +
                 std::to_string(width) + "\n}\n";
    return input;
}

// A typical zone: 128 x 128 ground and 2,000 objects, a quarter of them paths.
BenchInput ObjectMap() {
    BenchInput input = TileMap(128, 128, 1, LayerEncoding::Csv);
    input.name = "128x128 csv + 2000 objects";
    std::mt19937 random(77);
    const char* groups[] = {"Zones", "Mobs", "Traps", "Waypoints"};
    std::string objects;
    int id = 1;
    for (const char* group : groups) {
        objects += " <objectgroup name=\"" + std::string(group) + "\">\n";
        for (int i = 0; i < 500; ++i, ++id) {
            objects += "  <object id=\"" + std::to_string(id) + "\" name=\"" +
                       (i % 2 ? "In" : std::to_string(random() % 900)) + "\" x=\"" +
                       std::to_string(random() % 4096) + "\" y=\"" +
                       std::to_string(random() % 4096) + "\"";
            if (std::string(group) == "Waypoints") {
                objects += "><polyline points=\"0,0 " + std::to_string(random() % 200) +
                           ",17 -40," + std::to_string(random() % 300) + " 96,96\"/></object>\n";
            } else {
                objects += " width=\"32\" height=\"32\"/>\n";
            }
        }
        objects += " </objectgroup>\n";
    }
    input.text.insert(input.text.size() - 7, objects);  // before "</map>\n"
    return input;
}

// A zone as designers draw them: a header, ground and an overlay, entries,
// exits, mobs and traps with a property each, and patrol paths. `objects` is
// shared out over the four groups.
BenchInput ZoneMap(int width, int height, int objects, const std::string& name) {
    BenchInput input;
    input.name = name;
    input.layerBytes = static_cast<uint32_t>(4u * static_cast<uint32_t>(width * height));
    // Tiles that have a code (local ids 1 to 198), no flips; the overlay
    // decides every cell, as the game reads it: the ground, a tenth changed.
    std::vector<uint32_t> ground = Gids(width, height, 1000u);
    for (uint32_t& gid : ground)
        gid = 2 + (gid & 0xffffu) % 198;
    std::vector<uint32_t> overlay = ground;
    for (size_t k = 0; k < overlay.size(); k += 10)
        overlay[k] = 2 + (k / 10) % 198;
    std::string text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<map version=\"1.10\" "
        "orientation=\"orthogonal\" width=\"" +
        std::to_string(width) + "\" height=\"" + std::to_string(height) +
        "\" tilewidth=\"32\" tileheight=\"32\">\n <properties>\n"
        "  <property name=\"Level\" type=\"int\" value=\"12\"/>\n"
        "  <property name=\"Title\" value=\"Goblin Glade\"/>\n"
        "  <property name=\"Respawn\" type=\"int\" value=\"60\"/>\n </properties>\n"
        " <tileset firstgid=\"1\" name=\"codes\" tilewidth=\"32\" tileheight=\"32\"/>\n" +
        LayerElement("Ground", width, height, ground, LayerEncoding::Csv) +
        LayerElement("Overlay", width, height, overlay, LayerEncoding::Csv);
    std::mt19937 random(78);
    const int pixels = width * 32;
    const auto at = [&] {
        // Away from the edges, where a path's points would leave the zone.
        return " x=\"" + std::to_string(64 + random() % static_cast<uint32_t>(pixels - 256)) +
               "\" y=\"" +
               std::to_string(64 + random() % static_cast<uint32_t>(height * 32 - 128)) + "\"";
    };
    int id = 1;
    for (const std::string group : {"Zones", "Mobs", "Traps", "Waypoints"}) {
        text += " <objectgroup name=\"" + group + "\">\n";
        for (int i = 0; i < objects / 4; ++i, ++id) {
            text += "  <object id=\"" + std::to_string(id) + "\"";
            if (group == "Zones") {
                text += std::string(" name=\"") + (i % 2 ? "In" : "Out") + "\"" + at() + "/>\n";
            } else if (group == "Waypoints") {
                text += at() + "><polyline points=\"0,0 64,32 128,-16\"/></object>\n";
            } else {
                text += " name=\"" + std::to_string(1 + random() % 900) + "\"" + at() +
                        ">\n   <properties>\n    <property name=\"Respawn\" type=\"int\" "
                        "value=\"30\"/>\n   </properties>\n  </object>\n";
            }
        }
        text += " </objectgroup>\n";
    }
    input.text = text + "</map>\n";
    return input;
}

}  // namespace

std::vector<BenchInput> MakeBenchInputs() {
    std::vector<BenchInput> inputs;
    for (const LayerEncoding encoding : kAllEncodings) {
        inputs.push_back(TileMap(128, 128, 1, encoding));
        inputs.push_back(TileMap(1024, 1024, 1, encoding));
        inputs.push_back(TileMap(1024, 1024, 4, encoding));
        inputs.push_back(TileMap(4096, 1024, 1, encoding));
    }
    inputs.push_back(ObjectMap());
    BenchInput oneCell = TileMap(1, 1, 1, LayerEncoding::Csv);
    oneCell.name = "one cell";
    inputs.push_back(oneCell);
    inputs.push_back(ZoneMap(128, 128, 200, "128x128 zone: 2 layers, 200 objects"));
    inputs.push_back(ZoneMap(64, 64, 60, "64x64 zone: 2 layers, 60 objects"));
    for (const LayerEncoding encoding : kAllEncodings) {
        if (encoding == LayerEncoding::XmlTiles) continue;  // JSON has no such form
        inputs.push_back(JsonTileMap(128, 128, 1, encoding));
        inputs.push_back(JsonTileMap(1024, 1024, 1, encoding));
        inputs.push_back(JsonTileMap(1024, 1024, 4, encoding));
    }
    return inputs;
}
