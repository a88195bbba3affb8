#include "TmxMap.h"

#include <tinyxml.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "TmxFileText.h"
#include "TmxNumbers.h"
#include "TmxPrescan.h"
#include "TmxXml.h"

namespace tmx {
namespace {

bool Is(const TiXmlElement* element, const char* name) {
    return std::strcmp(element->Value(), name) == 0;
}

// TinyXML can step up to three bytes past the end of its text when the text
// ends inside a UTF-8 sequence (found by fuzzing: a read past the end of the
// buffer). The text it parses always has this many NUL bytes after it, so
// that whatever it steps onto is still ours and still the end.
constexpr size_t kParsePadding = 16;

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

void TmxMap::LoadFromFile(const std::string& path) {
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
    Parse(file.text.c_str(), &file.text);
}

void TmxMap::LoadFromText(const std::string& text) {
    // The caller's text is copied only when TinyXML might step past its end.
    if (EndsInAscii(text)) {
        Parse(text.c_str(), nullptr);
        return;
    }
    std::string padded;
    padded.reserve(text.size() + kParsePadding);
    padded.append(text).append(kParsePadding, '\0');
    Parse(padded.c_str(), &padded);
}

void TmxMap::Parse(const char* text, std::string* owner) {
    if (std::string problem = PrescanXml(text); !problem.empty()) {
        RecordError(TmxLoadError::XmlParseFailed, std::move(problem));
        return;
    }
    TiXmlDocument document;
    // Columns count bytes, as compilers count them, a TAB included.
    document.SetTabSize(1);
    // TinyXML reads a C string: whatever follows a NUL byte is never parsed.
    document.Parse(text, nullptr, TIXML_DEFAULT_ENCODING);
    // The document holds all it needs: the text goes before the model grows.
    if (owner != nullptr) std::string().swap(*owner);
    if (document.Error()) {
        // TinyXML's "Error document empty." is what binary data gives.
        RecordError(TmxLoadError::XmlParseFailed,
                    document.ErrorId() == TiXmlBase::TIXML_ERROR_DOCUMENT_EMPTY
                        ? "The file holds no XML."
                        : document.ErrorDesc(),
                    {document.ErrorRow(), document.ErrorCol()});
        return;
    }
    const TiXmlElement* mapElement = document.FirstChildElement("map");
    if (mapElement == nullptr) {
        RecordError(TmxLoadError::XmlParseFailed, "The document has no map element.");
        return;
    }
    ReadMapElement(mapElement);
}

void TmxMap::ReadMapElement(const TiXmlElement* mapElement) {
    location_ = LocationOf(mapElement);
    if (const char* version = mapElement->Attribute("version")) ScanDouble(version, version_);
    ReadIntAttribute(mapElement, "width", width_);
    ReadIntAttribute(mapElement, "height", height_);
    ReadIntAttribute(mapElement, "tilewidth", tileWidth_);
    ReadIntAttribute(mapElement, "tileheight", tileHeight_);
    if (const char* orientation = mapElement->Attribute("orientation")) {
        orientationName_ = orientation;
        if (std::strcmp(orientation, "orthogonal") == 0) {
            orientation_ = TmxOrientation::Orthogonal;
        } else if (std::strcmp(orientation, "isometric") == 0) {
            orientation_ = TmxOrientation::Isometric;
        } else if (std::strcmp(orientation, "staggered") == 0) {
            orientation_ = TmxOrientation::Staggered;
        }
    }

    // Layer-like children share one counter: their stacking order in the map.
    int32_t orderIndex = 0;
    for (const TiXmlElement* child = mapElement->FirstChildElement(); child;
         child = child->NextSiblingElement()) {
        if (Is(child, "properties")) {
            properties_.ReadElement(child);
        } else if (Is(child, "tileset")) {
            if (tilesets_.size() == kMaxTilesets) {
                RecordError(TmxLoadError::XmlParseFailed,
                            "The map has more than " + std::to_string(kMaxTilesets) + " tilesets.");
                return;
            }
            TmxTileset tileset;
            tileset.ReadElement(child);
            tilesetLookup_.Add(tileset.firstGid(), static_cast<int32_t>(tilesets_.size()));
            visibleTilesets_.reset();
            tilesets_.push_back(std::move(tileset));
        } else {
            ReadLayerLike(child, orderIndex);
        }
    }
}

// A tile layer, image layer or object group joins its list once read whole.
// A group layer's children are read as if they stood in its place; the
// group's own attributes and properties do not apply to them. The nesting
// bound checked before parsing bounds this recursion too.
void TmxMap::ReadLayerLike(const TiXmlElement* element, int32_t& orderIndex) {
    if (Is(element, "layer")) {
        if (!visibleTilesets_)
            visibleTilesets_ = std::make_shared<TmxTilesetLookup>(tilesetLookup_);
        TmxLayer layer(*this, visibleTilesets_, cellsLeft_);
        layer.ReadElement(element);
        cellsLeft_ -= layer.cellCount();
        layer.setOrderIndex(orderIndex++);
        if (const auto& problem = layer.dataProblem()) {
            // subject: the compression; values: a size too large to hold.
            std::vector<int64_t> size;
            if (problem->kind == TmxFindingKind::LayerTooLarge)
                size = {problem->width, problem->height};
            findings_.push_back({TmxSeverity::Warning, problem->kind, TmxElement::Layer,
                                 layer.location(), layer.name(), 0, problem->compression,
                                 std::move(size)});
        }
        layers_.push_back(std::move(layer));
    } else if (Is(element, "imagelayer")) {
        TmxImageLayer layer(*this);
        layer.ReadElement(element);
        layer.setOrderIndex(orderIndex++);
        imageLayers_.push_back(std::move(layer));
    } else if (Is(element, "objectgroup")) {
        TmxObjectGroup group;
        group.ReadElement(element);
        group.setOrderIndex(orderIndex++);
        objectGroups_.push_back(std::move(group));
    } else if (Is(element, "group")) {
        TmxGroup group;
        group.location = LocationOf(element);
        ReadTextAttribute(element, "name", group.name);
        if (const char* text = element->Attribute("visible")) group.visible = Atoi(text) != 0;
        ReadDoubleAttribute(element, "offsetx", group.offsetX);
        ReadDoubleAttribute(element, "offsety", group.offsetY);
        group.firstOrder = orderIndex;
        const size_t index = groups_.size();
        groups_.push_back(std::move(group));
        for (const TiXmlElement* child = element->FirstChildElement(); child;
             child = child->NextSiblingElement()) {
            ReadLayerLike(child, orderIndex);
        }
        groups_[index].endOrder = orderIndex;
    }
}

}  // namespace tmx
