#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "tmx/model/TmxLayer.h"
#include "tmx/model/TmxObjectGroup.h"
#include "tmx/model/TmxProperties.h"
#include "tmx/model/TmxTileset.h"

namespace tmx {

class TmxTemplates;

enum class TmxOrientation : int32_t { Orthogonal = 1, Isometric = 2, Staggered = 3 };

// A group layer. Its children are read as if they stood in its place, so the
// model keeps of it only what a finding may need: where it is, whether it is
// hidden or offset, and which layer-like children it holds (their orderIndex
// from firstOrder to endOrder - 1).
struct TmxGroup {
    TmxLocation location;
    int32_t id = 0;  // as for layers
    std::string name;
    bool visible = true;
    double offsetX = 0;
    double offsetY = 0;
    int32_t firstOrder = 0;
    int32_t endOrder = 0;
    int32_t parent = -1;  // the index of the group that holds it; -1 for none
    TmxProperties properties;
};

// Why a load failed. One load records at most one of them.
enum class TmxLoadError : uint8_t {
    None = 0,
    OpenFailed = 0x01,
    XmlParseFailed = 0x02,
    BadFileSize = 0x04,
    NotAMap = 0x08,  // a document of another kind: a Tiled tileset, template, world, project
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

    // A bound that keeps any file's cost in memory and time known (with
    // kMaxFileSize): the most cells all tile layers may declare together
    // (8192 x 8192; a layer beyond what is left gets no cells).
    static constexpr int64_t kMaxCells = int64_t{1} << 26;
    // Real maps have tens; more than this are refused as malformed.
    static constexpr size_t kMaxTilesets = 4096;

    // Reads a map saved by Tiled, as TMX (XML) or as JSON, told apart by the
    // first character that is no white space, then resolves the templates
    // its objects name. `templates`, when given, are shared with other maps
    // of the run; paths are relative to the map's folder. (The readers do
    // this: see tmx/read/.)
    void LoadFromFile(const std::string& path, TmxTemplates* templates = nullptr);
    // The same, from the text of the file at `path` already read, followed by
    // kTextPadding bytes of its own (as ReadFileText adds them): a caller
    // that looks at a file before it loads it reads it once.
    static constexpr size_t kTextPadding = 64;
    void LoadFromFileText(const std::string& path, std::string paddedText,
                          TmxTemplates* templates = nullptr);
    void LoadFromText(const std::string& text);

    // How the readers build the map, in file order. A later tileset hides an
    // earlier one of the same or a higher firstGid; a layer sees the tilesets
    // added before it. Layer-like records take their place in the stacking
    // order from `orderIndex`, which each one advances.
    // The file read, and its folder as the platform names it ("" or ending
    // in its separator).
    void SetSourcePath(const std::string& path, const std::string& folder);
    void SetLocation(TmxLocation location) { location_ = location; }
    void SetVersion(double version) { version_ = version; }
    void SetSize(int32_t width, int32_t height) {
        width_ = width;
        height_ = height;
    }
    void SetTileSize(int32_t width, int32_t height) {
        tileWidth_ = width;
        tileHeight_ = height;
    }
    void SetOrientation(const std::string& name);
    void SetClassName(std::string name) { className_ = std::move(name); }
    TmxProperties& editProperties() { return properties_; }
    bool AddTileset(TmxTileset tileset);  // false, and the error recorded, beyond kMaxTilesets
    TmxLayer NewLayer();                  // a layer that sees the tilesets added so far
    void AddLayer(TmxLayer layer, int32_t& orderIndex);
    void AddImageLayer(TmxImageLayer layer, int32_t& orderIndex);
    void AddObjectGroup(TmxObjectGroup group, int32_t& orderIndex);
    // A group holds the layer-like records added between these two calls.
    size_t BeginGroup(TmxGroup group, int32_t orderIndex);
    void EndGroup(size_t group, int32_t orderIndex);
    // A finding, kept in stacking order, after those of the same place.
    void AddFinding(TmxFinding finding);
    // Why the load failed.
    void RecordError(TmxLoadError code, std::string message, TmxLocation at = {});
    // The object groups, for what follows the reading: templates.
    std::vector<TmxObjectGroup>& editObjectGroups() { return objectGroups_; }
    std::vector<TmxTileset>& editTilesets() { return tilesets_; }

    // The index of the tileset that owns `gid` (flip flags already cleared):
    // the last tileset whose firstGid is not above it, or -1.
    int32_t TilesetIndexFor(int32_t gid) const { return tilesetLookup_.OwnerOf(gid).index; }
    // Where a tile object of the tile `gid` (flip flags and all) is held, by
    // its tileset's object alignment; where that is unspecified, bottom-left,
    // or bottom on an isometric map.
    TmxObjectAnchor ObjectAnchorOf(int32_t gid) const;

    const std::string& sourcePath() const { return sourcePath_; }
    TmxLocation location() const { return location_; }
    const std::string& directory() const { return directory_; }
    double version() const { return version_; }
    TmxOrientation orientation() const { return orientation_; }
    // The "orientation" attribute as written; empty when there is none.
    const std::string& orientationName() const { return orientationName_; }
    // The map's class (Tiled 1.9 and later), whose members a project declares
    // with defaults: "" where it has none.
    const std::string& className() const { return className_; }
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    int32_t tileWidth() const { return tileWidth_; }
    int32_t tileHeight() const { return tileHeight_; }
    bool failed() const { return failed_; }
    TmxLoadError errorCode() const { return errorCode_; }
    const std::string& errorMessage() const { return errorMessage_; }
    // Where the XML parser met the error, when it did.
    TmxLocation errorLocation() const { return errorLocation_; }
    // What the load could not use as written, in file order (layer data).
    const TmxFindings& findings() const { return findings_; }
    const TmxProperties& properties() const { return properties_; }
    const std::vector<TmxTileset>& tilesets() const { return tilesets_; }
    const std::vector<TmxLayer>& layers() const { return layers_; }
    const std::vector<TmxImageLayer>& imageLayers() const { return imageLayers_; }
    const std::vector<TmxObjectGroup>& objectGroups() const { return objectGroups_; }
    const std::vector<TmxGroup>& groups() const { return groups_; }

  private:
    std::string sourcePath_;
    std::string directory_;
    TmxLocation location_;
    double version_ = 0.0;
    TmxOrientation orientation_ = TmxOrientation::Orthogonal;
    std::string orientationName_;
    std::string className_;
    int32_t width_ = 0;
    int32_t height_ = 0;
    int32_t tileWidth_ = 0;
    int32_t tileHeight_ = 0;
    std::vector<TmxLayer> layers_;
    std::vector<TmxImageLayer> imageLayers_;
    std::vector<TmxObjectGroup> objectGroups_;
    std::vector<TmxGroup> groups_;
    std::vector<TmxTileset> tilesets_;
    TmxTilesetLookup tilesetLookup_;
    // What the layers read since the last tileset see; shared, not copied.
    std::shared_ptr<const TmxTilesetLookup> visibleTilesets_;
    int64_t cellsLeft_ = kMaxCells;
    bool failed_ = false;
    TmxLoadError errorCode_ = TmxLoadError::None;
    std::string errorMessage_;
    TmxLocation errorLocation_;
    TmxFindings findings_;
    TmxProperties properties_;
    std::vector<int32_t> openGroups_;  // while building: the groups being read, outermost first
};

}  // namespace tmx
