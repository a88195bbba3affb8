#include "TmxMap.h"

#include <sys/stat.h>
#include <tinyxml.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "TmxNumbers.h"
#include "TmxXml.h"

namespace tmx {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

bool Is(const TiXmlElement* element, const char* name) {
    return std::strcmp(element->Value(), name) == 0;
}

}  // namespace

void TmxMap::RecordError(TmxLoadError code, std::string message) {
    failed_ = true;
    errorCode_ = code;
    errorMessage_ = std::move(message);
}

void TmxMap::LoadFromFile(const std::string& path) {
    sourcePath_ = path;
    // Only "/" separates directories; a leading "/" alone gives no directory.
    const auto slash = path.rfind('/');
    directory_ = (slash != std::string::npos && slash > 0) ? path.substr(0, slash + 1) : "";

    FileHandle file(std::fopen(path.c_str(), "rb"));
    struct stat info {};
    if (!file || fstat(fileno(file.get()), &info) != 0 || S_ISDIR(info.st_mode)) {
        RecordError(TmxLoadError::OpenFailed, "Could not open the file.");
        return;
    }
    // Pipes and devices have no size to measure; they are not map files.
    if (!S_ISREG(info.st_mode) || info.st_size <= 0) {
        RecordError(TmxLoadError::BadFileSize, "The size of the file is invalid.");
        return;
    }
    std::string text(static_cast<size_t>(info.st_size), '\0');
    // A file that shrank since it was measured is not read half.
    if (std::fread(text.data(), 1, text.size(), file.get()) != text.size()) {
        RecordError(TmxLoadError::BadFileSize, "The size of the file is invalid.");
        return;
    }
    file.reset();
    LoadFromText(text);
}

void TmxMap::LoadFromText(const std::string& text) {
    TiXmlDocument document;
    // TinyXML reads a C string: whatever follows a NUL byte is never parsed.
    document.Parse(text.c_str(), nullptr, TIXML_DEFAULT_ENCODING);
    if (document.Error()) {
        RecordError(TmxLoadError::XmlParseFailed, document.ErrorDesc());
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
    if (const char* version = mapElement->Attribute("version")) ScanDouble(version, version_);
    ReadIntAttribute(mapElement, "width", width_);
    ReadIntAttribute(mapElement, "height", height_);
    ReadIntAttribute(mapElement, "tilewidth", tileWidth_);
    ReadIntAttribute(mapElement, "tileheight", tileHeight_);
    if (const char* orientation = mapElement->Attribute("orientation")) {
        if (std::strcmp(orientation, "orthogonal") == 0) {
            orientation_ = TmxOrientation::Orthogonal;
        } else if (std::strcmp(orientation, "isometric") == 0) {
            orientation_ = TmxOrientation::Isometric;
        } else if (std::strcmp(orientation, "staggered") == 0) {
            orientation_ = TmxOrientation::Staggered;
        }
    }

    // Layer-like children share one counter: their stacking order in the map.
    // A record joins its list only once it has been read whole.
    int32_t orderIndex = 0;
    for (const TiXmlElement* child = mapElement->FirstChildElement(); child;
         child = child->NextSiblingElement()) {
        if (Is(child, "properties")) {
            properties_.ReadElement(child);
        } else if (Is(child, "tileset")) {
            TmxTileset tileset;
            tileset.ReadElement(child);
            firstGids_.push_back(tileset.firstGid());
            tilesets_.push_back(std::move(tileset));
        } else if (Is(child, "layer")) {
            TmxLayer layer(*this);
            layer.ReadElement(child);
            layer.setOrderIndex(orderIndex++);
            layers_.push_back(std::move(layer));
        } else if (Is(child, "imagelayer")) {
            TmxImageLayer layer(*this);
            layer.ReadElement(child);
            layer.setOrderIndex(orderIndex++);
            imageLayers_.push_back(std::move(layer));
        } else if (Is(child, "objectgroup")) {
            TmxObjectGroup group;
            group.ReadElement(child);
            group.setOrderIndex(orderIndex++);
            objectGroups_.push_back(std::move(group));
        }
    }
}

}  // namespace tmx
