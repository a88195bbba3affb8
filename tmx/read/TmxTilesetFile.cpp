#include "tmx/read/TmxTilesetFile.h"

#include <set>
#include <string>

#include <simdjson.h>

#include "platform/FileText.h"
#include "tmx/read/TmxFileName.h"
#include "tmx/read/TmxJson.h"
#include "tmx/read/TmxXml.h"

namespace tmx {
namespace {

// The object alignment a tileset file states; "" where it states none or
// cannot be read.
std::string AlignmentInFile(const std::string& path) {
    platform::FileText file = platform::ReadFileText(path, kJsonPadding);
    if (!file.problem.empty()) return "";
    if (IsJson(file.text.c_str())) {
        simdjson::dom::parser parser;
        simdjson::dom::object tileset;
        std::string_view alignment;
        if (parser.parse(file.text.data(), file.text.size() - kJsonPadding, false).get(tileset) !=
                simdjson::SUCCESS ||
            tileset["objectalignment"].get(alignment) != simdjson::SUCCESS) {
            return "";
        }
        return std::string(alignment);
    }
    TiXmlDocument document;
    TmxLocation at;
    if (!ParseXml(file.text.c_str(), &file.text, document, at).empty()) return "";
    const TiXmlElement* tileset = document.FirstChildElement("tileset");
    const char* alignment = tileset != nullptr ? tileset->Attribute("objectalignment") : nullptr;
    return alignment != nullptr ? alignment : "";
}

}  // namespace

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
            AlignmentInFile(FileNamedFrom(map.directory(), tileset.source())));
    }
}

}  // namespace tmx
