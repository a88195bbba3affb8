#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "TmxProperties.h"
#include "TmxTileset.h"

class TiXmlElement;

namespace tmx {

class TmxMap;

enum class TmxEncoding : int32_t { Xml = 0, Base64 = 1, Csv = 2 };
enum class TmxCompression : int32_t { None = 0, Zlib = 1, Gzip = 2 };

// One decoded global tile id.
struct TmxCell {
    int32_t tilesetIndex = 0;  // index in the map's tilesets; -1 when none owns the tile
    int32_t localId = 0;       // id within that tileset (the bare global id when none)
    bool flipHorizontal = false;
    bool flipVertical = false;
    bool flipDiagonal = false;
};

// A `layer`: width x height cells, row by row. Cells are resolved against the
// tilesets that stand before the layer in the file, while the layer is read.
class TmxLayer {
  public:
    explicit TmxLayer(const TmxMap& map) : map_(&map) {}

    void ReadElement(const TiXmlElement* element);

    // The cell at column x, row y. Outside the grid, or for a layer whose size
    // could not be allocated, an empty cell (tileset -1, local id 0).
    const TmxCell& TileAt(int32_t x, int32_t y) const;

    const std::string& name() const { return name_; }
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    float opacity() const { return opacity_; }
    bool visible() const { return visible_; }
    int32_t orderIndex() const { return orderIndex_; }
    void setOrderIndex(int32_t orderIndex) { orderIndex_ = orderIndex; }
    const TmxProperties& properties() const { return properties_; }
    TmxEncoding encoding() const { return encoding_; }
    TmxCompression compression() const { return compression_; }
    // Empty when width or height is not positive or 4 x width x height bytes
    // do not fit in 32 bits; such a layer holds no tiles.
    const std::vector<TmxCell>& cells() const { return cells_; }

  private:
    void ReadXmlTiles(const TiXmlElement* data);
    void ReadBase64Data(std::string_view text);
    void ReadCsvData(std::string_view text);
    void ReadLittleEndianIds(const std::vector<uint8_t>& bytes);
    TmxCell CellFromGid(uint32_t gid) const;

    const TmxMap* map_;
    std::string name_;
    int32_t width_ = 0;
    int32_t height_ = 0;
    float opacity_ = 1.0f;
    bool visible_ = true;
    int32_t orderIndex_ = 0;
    TmxProperties properties_;
    std::vector<TmxCell> cells_;
    TmxEncoding encoding_ = TmxEncoding::Xml;
    TmxCompression compression_ = TmxCompression::None;
};

// An `imagelayer`: one image shown as a layer.
class TmxImageLayer {
  public:
    explicit TmxImageLayer(const TmxMap& map) : map_(&map) {}

    void ReadElement(const TiXmlElement* element);

    const TmxMap& map() const { return *map_; }
    const std::string& name() const { return name_; }
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    float opacity() const { return opacity_; }
    bool visible() const { return visible_; }
    int32_t orderIndex() const { return orderIndex_; }
    void setOrderIndex(int32_t orderIndex) { orderIndex_ = orderIndex; }
    const std::optional<TmxImage>& image() const { return image_; }
    const TmxProperties& properties() const { return properties_; }

  private:
    const TmxMap* map_;
    std::string name_;
    int32_t width_ = 0;
    int32_t height_ = 0;
    float opacity_ = 1.0f;
    bool visible_ = true;
    int32_t orderIndex_ = 0;
    std::optional<TmxImage> image_;
    TmxProperties properties_;
};

}  // namespace tmx
