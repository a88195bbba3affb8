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
    // `cellBudget`: how many cells the map still lets this layer declare.
    TmxLayer(const TmxMap& map, int64_t cellBudget) : map_(&map), cellBudget_(cellBudget) {}

    void ReadElement(const TiXmlElement* element);

    // The cell at column x, row y. A cell the data did not reach holds the
    // initial value (tileset 0, local id 0); outside the grid, or in a layer
    // without cells, the answer is an empty cell (tileset -1, local id 0).
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
    // width x height, or 0 when the layer holds no cells: width or height not
    // positive, 4 x width x height bytes beyond 32 bits, or more cells than
    // the map's budget had left.
    int64_t cellCount() const { return cellCount_; }
    // The cells the layer data reached, row by row from the first; memory
    // follows the data in the file, not the size the layer declares.
    const std::vector<TmxCell>& cells() const { return cells_; }

  private:
    void ReadXmlTiles(const TiXmlElement* data);
    void ReadBase64Data(std::string_view text);
    void ReadCsvData(std::string_view text);
    void ReadLittleEndianIds(const std::vector<uint8_t>& bytes);
    size_t CellsLeft() const { return static_cast<size_t>(cellCount_) - cells_.size(); }
    TmxCell CellFromGid(uint32_t gid) const;

    const TmxMap* map_;
    int64_t cellBudget_;
    std::string name_;
    int32_t width_ = 0;
    int32_t height_ = 0;
    float opacity_ = 1.0f;
    bool visible_ = true;
    int32_t orderIndex_ = 0;
    TmxProperties properties_;
    int64_t cellCount_ = 0;
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
