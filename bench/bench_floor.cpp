// The floor as a process: read a file once, parse it with TinyXML and, for
// compressed layer data, decode and inflate it into a buffer of the layer's
// size, one layer at a time; or, for JSON, parse it with simdjson and decode
// (and inflate) its base64 layers. Nothing a converter could skip.

#include <simdjson.h>
#include <tinyxml.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "FloorInflate.h"
#include "tmx/decode/TmxBase64.h"

namespace {

void InflateLayers(const TiXmlElement* map) {
    for (const TiXmlElement* layer = map->FirstChildElement("layer"); layer;
         layer = layer->NextSiblingElement("layer")) {
        const TiXmlElement* data = layer->FirstChildElement("data");
        const char* compression = data ? data->Attribute("compression") : nullptr;
        if (compression == nullptr || data->GetText() == nullptr) continue;
        const std::vector<uint8_t> packed = tmx::Base64Decode(data->GetText());
        const long cells =
            std::atol(layer->Attribute("width")) * std::atol(layer->Attribute("height"));
        std::vector<uint8_t> grid(static_cast<size_t>(cells) * 4);
        FloorInflate(packed, grid);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    std::FILE* file = std::fopen(argv[1], "rb");
    if (file == nullptr) return 1;
    std::fseek(file, 0, SEEK_END);
    const long size = std::ftell(file);
    std::fseek(file, 0, SEEK_SET);
    std::string text(static_cast<size_t>(size), '\0');
    const size_t read = std::fread(text.data(), 1, text.size(), file);
    std::fclose(file);
    if (read != text.size()) return 1;
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first != std::string::npos && text[first] == '{') {
        simdjson::dom::parser parser;
        simdjson::dom::element map;
        if (parser.parse(text).get(map) != simdjson::SUCCESS) return 1;
        FloorJsonLayers(map);
        return 0;
    }
    TiXmlDocument document;
    document.Parse(text.c_str(), nullptr, TIXML_DEFAULT_ENCODING);
    if (document.Error()) return 1;
    if (const TiXmlElement* map = document.FirstChildElement("map")) InflateLayers(map);
    return 0;
}
