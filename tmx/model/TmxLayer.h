#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tmx/model/TmxFinding.h"
#include "tmx/model/TmxGids.h"
#include "tmx/model/TmxProperties.h"
#include "tmx/model/TmxTileset.h"

namespace tmx {

class TmxMap;

enum class TmxEncoding : int32_t { Xml = 0, Base64 = 1, Csv = 2 };
enum class TmxCompression : int32_t { None = 0, Zlib = 1, Gzip = 2, Zstd = 3 };

// The bits of a global tile id below its three flip flags: the tile's number.
constexpr uint32_t kTileIdMask = 0x1FFFFFFFu;
// Tiled's fourth flag, a hexagonal tile turned by 120 degrees; it lies within
// kTileIdMask, so it counts as part of the number.
constexpr uint32_t kRotatedHexagonal120 = 0x10000000u;

// One decoded global tile id.
struct TmxCell {
    int32_t tilesetIndex = 0;  // index in the map's tilesets; -1 when none owns the tile
    int32_t localId = 0;       // id within that tileset (the bare global id when none)
    bool flipHorizontal = false;
    bool flipVertical = false;
    bool flipDiagonal = false;
};

// A rectangle of cells at map coordinates (x, y), row by row.
struct TmxChunk {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    // The global tile ids the data reached, as read (flip flags included),
    // from the first cell on; memory follows the data in the file, not the
    // size declared. The other cells hold the initial value. Ids are resolved
    // into cells when asked for, against the tilesets the layer could see.
    TmxGids gids;

    int64_t CellCount() const { return int64_t{width} * height; }
    // How many of the ids read hold a tile (flip flags alone are none) and
    // lie outside columns x0 to x1 - 1 and rows y0 to y1 - 1 of the map.
    int64_t TilesOutside(int64_t x0, int64_t y0, int64_t x1, int64_t y1) const;
};

// A rectangle of map cells: columns x0 to x1 - 1, rows y0 to y1 - 1.
struct TmxArea {
    int64_t x0 = 0;
    int64_t y0 = 0;
    int64_t x1 = 0;
    int64_t y1 = 0;
};

// What tile layers and image layers share: the attributes of the element,
// its first properties block, and the place in the map's stacking order.
class TmxLayerAttributes {
  public:
    const TmxMap& map() const { return *map_; }
    TmxLocation location() const { return location_; }
    // The "id" Tiled gives every layer since 1.2; 0 where the map has none.
    int32_t id() const { return id_; }
    const std::string& name() const { return name_; }
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    float opacity() const { return opacity_; }
    bool visible() const { return visible_; }
    double offsetX() const { return offsetX_; }
    double offsetY() const { return offsetY_; }
    int32_t orderIndex() const { return orderIndex_; }
    void setOrderIndex(int32_t orderIndex) { orderIndex_ = orderIndex; }
    const TmxProperties& properties() const { return properties_; }

    // What a reader found of it.
    void SetLocation(TmxLocation location) { location_ = location; }
    void SetId(int32_t id) { id_ = id; }
    void SetName(std::string name) { name_ = std::move(name); }
    void SetSize(int32_t width, int32_t height) {
        width_ = width;
        height_ = height;
    }
    void SetOpacity(float opacity) { opacity_ = opacity; }
    void SetVisible(bool visible) { visible_ = visible; }
    void SetOffset(double x, double y) {
        offsetX_ = x;
        offsetY_ = y;
    }
    TmxProperties& editProperties() { return properties_; }

  protected:
    explicit TmxLayerAttributes(const TmxMap& map) : map_(&map) {}

    const TmxMap* map_;
    TmxLocation location_;
    int32_t id_ = 0;
    std::string name_;
    int32_t width_ = 0;
    int32_t height_ = 0;
    float opacity_ = 1.0f;
    bool visible_ = true;
    double offsetX_ = 0;
    double offsetY_ = 0;
    int32_t orderIndex_ = 0;
    TmxProperties properties_;
};

// A `layer`. Its cells lie in chunks: a layer of a finite map is one chunk at
// (0, 0) of the layer's width x height; a layer of an infinite map is the
// chunks its data lists, anywhere, even at negative coordinates. TileAt takes
// map coordinates either way, so a caller never needs to know which it is.
// Cells are resolved against the tilesets that stand before the layer in the
// file.
class TmxLayer : public TmxLayerAttributes {
  public:
    // `tilesets`: the tilesets that stand before the layer in the file;
    // `cellBudget`: how many cells the map still lets this layer declare.
    TmxLayer(const TmxMap& map, std::shared_ptr<const TmxTilesetLookup> tilesets,
             int64_t cellBudget);

    // What a reader found of it: how its data is stored, its chunks, and why
    // tiles of it are missing (the first reason counts).
    void SetEncoding(TmxEncoding encoding) { encoding_ = encoding; }
    void SetCompression(TmxCompression compression) { compression_ = compression; }
    // A new chunk of the layer, or nullptr when its size is refused (noted).
    // The pointer holds until the next chunk is added.
    TmxChunk* AddChunk(int32_t x, int32_t y, int32_t width, int32_t height);
    void NoteProblem(TmxLayerDataProblem problem);

    // The one walk over a layer's cells: visits those inside `area`, chunk by
    // chunk in file order, so that where chunks overlap the later one comes
    // last and decides; each chunk row by row. visit(x, y, gid) gets the id as
    // read, or nullptr for a cell the data did not reach. With `tilesOutside`,
    // adds to it how many tiles of the layer lie outside `area`.
    template <class Visit>
    void VisitCells(const TmxArea& area, Visit&& visit, int64_t* tilesOutside = nullptr) const;
    // The same walk a row of a chunk at a time, for loops that want the ids
    // side by side: visit(y, x0, x1, gids, reached) for the cells of row y
    // from column x0 to x1 - 1, those below `reached` holding the ids from
    // `gids` on, the rest not reached by the data. `gids` points at the ids
    // as stored, 16 or 32 bits each (see TmxGids): the visitor takes either.
    template <class Visit>
    void VisitRows(const TmxArea& area, Visit&& visit, int64_t* tilesOutside = nullptr) const;

    // The cell at column x, row y of the map. A cell the data did not reach
    // holds the initial value (tileset 0, local id 0); outside every chunk the
    // answer is an empty cell (tileset -1, local id 0). Where chunks overlap,
    // the later one holds the cell.
    TmxCell TileAt(int32_t x, int32_t y) const;

    // A global tile id as read, resolved into its cell against the tilesets
    // this layer could see: what TileAt answers for a cell the data reached.
    TmxCell CellFromGid(uint32_t gid) const;

    TmxEncoding encoding() const { return encoding_; }
    TmxCompression compression() const { return compression_; }
    // The chunks that hold cells. A chunk (or a finite layer) gets none when
    // its width or height is not positive, its 4 x width x height bytes do not
    // fit in 32 bits, or its cells exceed what the map's budget has left.
    const std::vector<TmxChunk>& chunks() const { return chunks_; }
    // The cells of all chunks together.
    int64_t cellCount() const;
    // The first reason tiles of this layer are missing, if any.
    const std::optional<TmxLayerDataProblem>& dataProblem() const { return dataProblem_; }

  private:
    std::shared_ptr<const TmxTilesetLookup> tilesets_;
    int64_t cellBudget_;
    std::vector<TmxChunk> chunks_;
    std::optional<TmxLayerDataProblem> dataProblem_;
    TmxEncoding encoding_ = TmxEncoding::Xml;
    TmxCompression compression_ = TmxCompression::None;
};

template <class Visit>
void TmxLayer::VisitRows(const TmxArea& area, Visit&& visit, int64_t* tilesOutside) const {
    for (const TmxChunk& chunk : chunks_) {
        const int64_t x0 = std::max<int64_t>(chunk.x, area.x0);
        const int64_t y0 = std::max<int64_t>(chunk.y, area.y0);
        const int64_t x1 = std::min<int64_t>(int64_t{chunk.x} + chunk.width, area.x1);
        const int64_t y1 = std::min<int64_t>(int64_t{chunk.y} + chunk.height, area.y1);
        chunk.gids.WithIds([&](const auto* ids) {
            for (int64_t y = y0; y < y1 && x0 < x1; ++y) {
                // Cell (x, y) is id k = start + x; the data reached those below its size.
                const int64_t start = (y - chunk.y) * chunk.width - chunk.x;
                const int64_t reached =
                    std::clamp<int64_t>(static_cast<int64_t>(chunk.gids.size()) - start, x0, x1);
                const auto* gids = reached > x0 ? ids + (start + x0) : nullptr;
                visit(static_cast<int32_t>(y), static_cast<int32_t>(x0), static_cast<int32_t>(x1),
                      gids, static_cast<int32_t>(reached));
            }
        });
        if (tilesOutside != nullptr) *tilesOutside += chunk.TilesOutside(x0, y0, x1, y1);
    }
}

template <class Visit>
void TmxLayer::VisitCells(const TmxArea& area, Visit&& visit, int64_t* tilesOutside) const {
    VisitRows(
        area,
        [&](int32_t y, int32_t x0, int32_t x1, const auto* gids, int32_t reached) {
            for (int32_t x = x0; x < reached; ++x) {
                const uint32_t gid = gids[x - x0];
                visit(x, y, &gid);
            }
            for (int32_t x = reached; x < x1; ++x)
                visit(x, y, nullptr);
        },
        tilesOutside);
}

// An `imagelayer`: one image shown as a layer.
class TmxImageLayer : public TmxLayerAttributes {
  public:
    explicit TmxImageLayer(const TmxMap& map) : TmxLayerAttributes(map) {}

    void SetImage(TmxImage image) { image_ = std::move(image); }

    const std::optional<TmxImage>& image() const { return image_; }

  private:
    std::optional<TmxImage> image_;
};

}  // namespace tmx
