#include "tmx/read/TmxTilesetFile.h"

#include <optional>
#include <set>
#include <string>
#include <utility>

#include <simdjson.h>

#include "platform/FileText.h"
#include "tmx/read/TmxFileName.h"
#include "tmx/read/TmxJson.h"
#include "tmx/read/TmxXml.h"
#include "tmx/read/TmxXmlReader.h"

namespace tmx {
namespace {

// An attribute of the tileset a file holds ("objectalignment", "name"); ""
// where it states none or cannot be read.
std::string AttributeInFile(const std::string& path, const char* key) {
    platform::FileText file = platform::ReadFileText(path, kJsonPadding);
    if (!file.problem.empty()) return "";
    if (IsJson(file.text.c_str())) {
        simdjson::dom::parser parser;
        simdjson::dom::object tileset;
        std::string_view value;
        if (parser.parse(file.text.data(), file.text.size() - kJsonPadding, false).get(tileset) !=
                simdjson::SUCCESS ||
            tileset[key].get(value) != simdjson::SUCCESS) {
            return "";
        }
        return std::string(value);
    }
    TiXmlDocument document;
    TmxLocation at;
    if (!ParseXml(file.text.c_str(), &file.text, document, at).empty()) return "";
    const TiXmlElement* tileset = document.FirstChildElement("tileset");
    const char* value = tileset != nullptr ? tileset->Attribute(key) : nullptr;
    return value != nullptr ? value : "";
}

// The tileset a file holds, read whole; none where it cannot be read.
std::optional<TmxTileset> TilesetInFile(const std::string& path) {
    platform::FileText file = platform::ReadFileText(path, kJsonPadding);
    if (!file.problem.empty()) return std::nullopt;
    if (IsJson(file.text.c_str())) {
        TmxTileset tileset;
        if (!TmxJsonReader::ReadTilesetFile(file.text.data(), file.text.size() - kJsonPadding,
                                            tileset)
                 .empty()) {
            return std::nullopt;
        }
        return tileset;
    }
    TiXmlDocument document;
    TmxLocation at;
    if (!ParseXml(file.text.c_str(), &file.text, document, at).empty()) return std::nullopt;
    const TiXmlElement* element = document.FirstChildElement("tileset");
    if (element == nullptr) return std::nullopt;
    return TmxXmlReader::ReadTileset(element);
}

}  // namespace

void ReadTilesetArt(TmxMap& map) {
    for (TmxTileset& tileset : map.editTilesets()) {
        if (tileset.source().empty()) continue;
        const std::string path = FileNamedFrom(map.directory(), tileset.source());
        std::optional<TmxTileset> read = TilesetInFile(path);
        if (!read) continue;
        read->SetFirstGid(tileset.firstGid());
        read->SetSource(tileset.source());
        const size_t separator = path.find_last_of("/\\");
        read->SetImageFolder(separator == std::string::npos ? "./" : path.substr(0, separator + 1));
        tileset = std::move(*read);
    }
}

void ReadTilesetFiles(TmxMap& map) {
    std::set<int32_t> used;
    for (const TmxObjectGroup& group : map.objectGroups()) {
        for (const TmxObject& object : group.objects()) {
            if (object.shape() != TmxShape::Tile) continue;
            const int32_t index = map.TilesetIndexFor(
                static_cast<int32_t>(static_cast<uint32_t>(object.gid()) & kTileIdMask));
            if (index >= 0) used.insert(index);
        }
    }
    for (const int32_t index : used) {
        TmxTileset& tileset = map.editTilesets()[static_cast<size_t>(index)];
        if (tileset.source().empty() || !tileset.objectAlignment().empty()) continue;
        tileset.SetObjectAlignment(
            AttributeInFile(FileNamedFrom(map.directory(), tileset.source()), "objectalignment"));
    }
}

std::string TilesetNameInFile(const std::string& path) {
    return AttributeInFile(path, "name");
}

}  // namespace tmx
