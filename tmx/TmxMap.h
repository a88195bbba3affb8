#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "TmxLayer.h"
#include "TmxObjectGroup.h"
#include "TmxProperties.h"
#include "TmxTileset.h"

class TiXmlElement;

namespace tmx {

enum class TmxOrientation : int32_t { Orthogonal = 1, Isometric = 2, Staggered = 3 };

// Why a load failed. One load records at most one of them.
enum class TmxLoadError : uint8_t {
    None = 0,
    OpenFailed = 0x01,
    XmlParseFailed = 0x02,
    BadFileSize = 0x04,
};

// The root of the map model: the `map` element's attributes and properties,
// and its tilesets, tile layers, image layers and object groups in file order.
// A load never prints or throws on bad input; it records what went wrong in
// failed() / errorCode() / errorMessage() and leaves the model as far as it got.
class TmxMap {
  public:
    TmxMap() = default;
    // Layers keep a pointer back to their map, so a map stays where it was built.
    TmxMap(const TmxMap&) = delete;
    TmxMap& operator=(const TmxMap&) = delete;

    // Bounds that keep any file's cost in memory and time known: the largest
    // map file read, and the most cells all tile layers may declare together
    // (8192 x 8192; a layer beyond what is left gets no cells).
    static constexpr int64_t kMaxFileSize = int64_t{256} << 20;
    static constexpr int64_t kMaxCells = int64_t{1} << 26;
    // Real maps have tens; more than this are refused as malformed.
    static constexpr size_t kMaxTilesets = 4096;

    void LoadFromFile(const std::string& path);
    void LoadFromText(const std::string& text);

    // The index of the tileset that owns `gid` (flip flags already cleared):
    // the last tileset whose firstGid is not above it, or -1.
    int32_t TilesetIndexFor(int32_t gid) const { return tilesetLookup_.OwnerOf(gid).index; }

    const std::string& sourcePath() const { return sourcePath_; }
    const std::string& directory() const { return directory_; }
    double version() const { return version_; }
    TmxOrientation orientation() const { return orientation_; }
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    int32_t tileWidth() const { return tileWidth_; }
    int32_t tileHeight() const { return tileHeight_; }
    bool failed() const { return failed_; }
    TmxLoadError errorCode() const { return errorCode_; }
    const std::string& errorMessage() const { return errorMessage_; }
    const TmxProperties& properties() const { return properties_; }
    const std::vector<TmxTileset>& tilesets() const { return tilesets_; }
    const std::vector<TmxLayer>& layers() const { return layers_; }
    const std::vector<TmxImageLayer>& imageLayers() const { return imageLayers_; }
    const std::vector<TmxObjectGroup>& objectGroups() const { return objectGroups_; }

  private:
    void RecordError(TmxLoadError code, std::string message);
    // Parses `text`, which TinyXML cannot read past; `owner`, when given,
    // holds it and is freed once the document is built.
    void Parse(const char* text, std::string* owner);
    void ReadLayerLike(const TiXmlElement* element, int32_t& orderIndex);
    void ReadMapElement(const TiXmlElement* mapElement);

    std::string sourcePath_;
    std::string directory_;
    double version_ = 0.0;
    TmxOrientation orientation_ = TmxOrientation::Orthogonal;
    int32_t width_ = 0;
    int32_t height_ = 0;
    int32_t tileWidth_ = 0;
    int32_t tileHeight_ = 0;
    std::vector<TmxLayer> layers_;
    std::vector<TmxImageLayer> imageLayers_;
    std::vector<TmxObjectGroup> objectGroups_;
    std::vector<TmxTileset> tilesets_;
    TmxTilesetLookup tilesetLookup_;
    // What the layers read since the last tileset see; shared, not copied.
    std::shared_ptr<const TmxTilesetLookup> visibleTilesets_;
    int64_t cellsLeft_ = kMaxCells;
    bool failed_ = false;
    TmxLoadError errorCode_ = TmxLoadError::None;
    std::string errorMessage_;
    TmxProperties properties_;
};

}  // namespace tmx
