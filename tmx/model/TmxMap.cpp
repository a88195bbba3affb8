#include "tmx/model/TmxMap.h"

#include <tinyxml.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "tmx/decode/TmxFileText.h"
#include "tmx/decode/TmxNumbers.h"
#include "tmx/read/TmxJson.h"
#include "tmx/read/TmxXml.h"

namespace tmx {
namespace {

bool Is(const TiXmlElement* element, const char* name) {
    return std::strcmp(element->Value(), name) == 0;
}

// TinyXML can step up to three bytes past the end of its text when the text
// ends inside a UTF-8 sequence (found by fuzzing: a read past the end of the
// buffer), and the JSON parser reads whole blocks of 64 bytes. The text either
// parses always has this many NUL bytes after it, so that whatever they step
// onto is still ours and, for TinyXML, still the end.
constexpr size_t kParsePadding = kJsonPadding;

// Whether TinyXML can parse `text` where it stands: no UTF-8 sequence (four
// bytes at most) can start within its last bytes, as they are all ASCII.
// Map files end in "</map>" and a line feed.
bool EndsInAscii(const std::string& text) {
    const size_t tail = std::min<size_t>(text.size(), 8);
    return std::all_of(text.end() - static_cast<ptrdiff_t>(tail), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

void TmxMap::RecordError(TmxLoadError code, std::string message, TmxLocation at) {
    failed_ = true;
    errorCode_ = code;
    errorMessage_ = std::move(message);
    errorLocation_ = at;
}

void TmxMap::LoadFromFile(const std::string& path, TmxTemplates* templates) {
    if (templates != nullptr) templates_ = templates;
    sourcePath_ = path;
    // Only "/" separates directories; a leading "/" alone gives no directory.
    const auto slash = path.rfind('/');
    directory_ = (slash != std::string::npos && slash > 0) ? path.substr(0, slash + 1) : "";

    FileText file = ReadFileText(path, kParsePadding);
    if (!file.problem.empty()) {
        RecordError(file.badSize ? TmxLoadError::BadFileSize : TmxLoadError::OpenFailed,
                    file.problem);
        return;
    }
    Parse(file.text.c_str(), file.text.size() - kParsePadding, &file.text);
}

void TmxMap::LoadFromText(const std::string& text) {
    // The caller's text is copied only when a parser might step past its end.
    const bool roomAfter = text.capacity() - text.size() >= kParsePadding;
    if (IsJson(text.c_str()) ? roomAfter : EndsInAscii(text)) {
        Parse(text.c_str(), text.size(), nullptr);
        return;
    }
    std::string padded;
    padded.reserve(text.size() + kParsePadding);
    padded.append(text).append(kParsePadding, '\0');
    Parse(padded.c_str(), text.size(), &padded);
}

void TmxMap::Parse(const char* text, size_t size, std::string* owner) {
    templates_->BeginMap(directory_);
    if (IsJson(text)) {
        TmxJsonReader::ReadMap(*this, text, size, owner);
        return;
    }
    TiXmlDocument document;
    TmxLocation at;
    // The text stays until the map's own properties are read (see ReadMapElement).
    if (std::string problem = ParseXml(text, nullptr, document, at); !problem.empty()) {
        RecordError(TmxLoadError::XmlParseFailed, std::move(problem), at);
        return;
    }
    const TiXmlElement* mapElement = document.FirstChildElement("map");
    if (mapElement == nullptr) {
        RecordError(TmxLoadError::XmlParseFailed, "The document has no map element.");
        return;
    }
    ReadMapElement(mapElement, {text, size}, owner);
}

void TmxMap::ReadMapElement(const TiXmlElement* mapElement, std::string_view source,
                            std::string* owner) {
    location_ = LocationOf(mapElement);
    if (const char* version = mapElement->Attribute("version")) ScanDouble(version, version_);
    ReadIntAttribute(mapElement, "width", width_);
    ReadIntAttribute(mapElement, "height", height_);
    ReadIntAttribute(mapElement, "tilewidth", tileWidth_);
    ReadIntAttribute(mapElement, "tileheight", tileHeight_);
    if (const char* orientation = mapElement->Attribute("orientation")) SetOrientation(orientation);

    // Layer-like children share one counter: their stacking order in the map.
    int32_t orderIndex = 0;
    for (const TiXmlElement* child = mapElement->FirstChildElement(); child;
         child = child->NextSiblingElement()) {
        if (Is(child, "properties")) {
            properties_.ReadElement(child, source);
            continue;
        }
        // The text goes before the model grows; the map's properties, which
        // come first, have used it.
        if (owner != nullptr) std::string().swap(*owner);
        source = {};
        if (Is(child, "tileset")) {
            TmxTileset tileset;
            tileset.ReadElement(child);
            if (!AddTileset(std::move(tileset))) return;
        } else {
            ReadLayerLike(child, orderIndex);
        }
    }
}

// A group layer's children are read as if they stood in its place; the
// group's own attributes and properties do not apply to them. The nesting
// bound checked before parsing bounds this recursion too.
void TmxMap::ReadLayerLike(const TiXmlElement* element, int32_t& orderIndex) {
    if (Is(element, "layer")) {
        TmxLayer layer = NewLayer();
        layer.ReadElement(element);
        AddLayer(std::move(layer), orderIndex);
    } else if (Is(element, "imagelayer")) {
        TmxImageLayer layer(*this);
        layer.ReadElement(element);
        layer.setOrderIndex(orderIndex++);
        imageLayers_.push_back(std::move(layer));
    } else if (Is(element, "objectgroup")) {
        TmxObjectGroup group;
        group.ReadElement(element, *templates_, findings_);
        group.setOrderIndex(orderIndex++);
        objectGroups_.push_back(std::move(group));
    } else if (Is(element, "group")) {
        TmxGroup group;
        group.location = LocationOf(element);
        ReadTextAttribute(element, "name", group.name);
        if (const char* text = element->Attribute("visible")) group.visible = Atoi(text) != 0;
        ReadDoubleAttribute(element, "offsetx", group.offsetX);
        ReadDoubleAttribute(element, "offsety", group.offsetY);
        const size_t index = BeginGroup(std::move(group), orderIndex);
        for (const TiXmlElement* child = element->FirstChildElement(); child;
             child = child->NextSiblingElement()) {
            ReadLayerLike(child, orderIndex);
        }
        groups_[index].endOrder = orderIndex;
    }
}

void TmxMap::SetOrientation(const std::string& name) {
    orientationName_ = name;
    if (name == "orthogonal") orientation_ = TmxOrientation::Orthogonal;
    if (name == "isometric") orientation_ = TmxOrientation::Isometric;
    if (name == "staggered") orientation_ = TmxOrientation::Staggered;
}

bool TmxMap::AddTileset(TmxTileset tileset) {
    if (tilesets_.size() == kMaxTilesets) {
        RecordError(TmxLoadError::XmlParseFailed,
                    "The map has more than " + std::to_string(kMaxTilesets) + " tilesets.");
        return false;
    }
    tilesetLookup_.Add(tileset.firstGid(), static_cast<int32_t>(tilesets_.size()));
    visibleTilesets_.reset();
    tilesets_.push_back(std::move(tileset));
    return true;
}

TmxLayer TmxMap::NewLayer() {
    // What the layers read since the last tileset see; shared, not copied.
    if (!visibleTilesets_) visibleTilesets_ = std::make_shared<TmxTilesetLookup>(tilesetLookup_);
    return TmxLayer(*this, visibleTilesets_, cellsLeft_);
}

// A tile layer joins the map once read whole; why tiles of it are missing is
// a finding.
void TmxMap::AddLayer(TmxLayer layer, int32_t& orderIndex) {
    cellsLeft_ -= layer.cellCount();
    layer.setOrderIndex(orderIndex++);
    if (const auto& problem = layer.dataProblem()) {
        findings_.push_back({layer.location(), layer.name(), 0, *problem});
    }
    layers_.push_back(std::move(layer));
}

size_t TmxMap::BeginGroup(TmxGroup group, int32_t orderIndex) {
    group.firstOrder = orderIndex;
    groups_.push_back(std::move(group));
    return groups_.size() - 1;
}

}  // namespace tmx
