#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tmx/model/TmxFinding.h"
#include "tmx/model/TmxProperties.h"

namespace tmx {

// An image file as a tileset sheet or an image layer names it.
class TmxImage {
  public:
    TmxImage() = default;
    TmxImage(std::string source, int32_t width, int32_t height, std::string transparentColor)
        : source_(std::move(source)),
          width_(width),
          height_(height),
          transparentColor_(std::move(transparentColor)) {}

    const std::string& source() const { return source_; }
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    const std::string& transparentColor() const { return transparentColor_; }

  private:
    std::string source_;  // as written, not joined with the map's folder
    int32_t width_ = 0;
    int32_t height_ = 0;
    std::string transparentColor_;
};

class TmxTile {
  public:
    TmxTile(int32_t id, TmxProperties properties, std::optional<TmxImage> image = std::nullopt)
        : id_(id), properties_(std::move(properties)), image_(std::move(image)) {}

    int32_t id() const { return id_; }
    const TmxProperties& properties() const { return properties_; }
    // Its own picture, in a tileset that is a collection of images.
    const std::optional<TmxImage>& image() const { return image_; }

  private:
    int32_t id_ = 0;
    TmxProperties properties_;
    std::optional<TmxImage> image_;
};

// A tileset owns the global tile ids from firstGid() on, up to the next
// tileset that claims them. Of an external tileset file, the map takes what
// tmx/read/TmxTilesetFile.h says.
class TmxTileset {
  public:
    // What a reader found of it.
    void SetFirstGid(int32_t firstGid) { firstGid_ = firstGid; }
    void SetName(std::string name) { name_ = std::move(name); }
    void SetSource(std::string source) { source_ = std::move(source); }
    void SetTileSize(int32_t width, int32_t height) {
        tileWidth_ = width;
        tileHeight_ = height;
    }
    void SetMargin(int32_t margin) { margin_ = margin; }
    void SetSpacing(int32_t spacing) { spacing_ = spacing; }
    void SetColumns(int32_t columns) { columns_ = columns; }
    void SetImageFolder(std::string folder) { imageFolder_ = std::move(folder); }
    void SetImage(TmxImage image) { image_ = std::move(image); }
    void SetObjectAlignment(std::string alignment) { objectAlignment_ = std::move(alignment); }
    void SetLocation(TmxLocation location) { location_ = location; }
    void AddTile(TmxTile tile) { tiles_.push_back(std::move(tile)); }
    TmxProperties& editProperties() { return properties_; }

    int32_t firstGid() const { return firstGid_; }
    const std::string& name() const { return name_; }
    // The external tileset file as the map names it; empty for one held in the map.
    const std::string& source() const { return source_; }
    int32_t tileWidth() const { return tileWidth_; }
    int32_t tileHeight() const { return tileHeight_; }
    int32_t margin() const { return margin_; }
    int32_t spacing() const { return spacing_; }
    // The tiles a row of its image holds, as it states them; 0 where it does not.
    int32_t columns() const { return columns_; }
    // The folder its images are named from, with its last separator ("./"
    // for the working folder), where it is not the map's: that of its own
    // file, once its art is read; "" before.
    const std::string& imageFolder() const { return imageFolder_; }
    const std::optional<TmxImage>& image() const { return image_; }
    // The point of a tile object that its position is ("topleft", "bottom",
    // "center" ...), as written; "" where unspecified.
    const std::string& objectAlignment() const { return objectAlignment_; }
    const std::vector<TmxTile>& tiles() const { return tiles_; }
    const TmxProperties& properties() const { return properties_; }
    // Where the map's element that holds or names it stands.
    TmxLocation location() const { return location_; }

  private:
    int32_t firstGid_ = 0;
    std::string name_;
    std::string source_;
    int32_t tileWidth_ = 0;
    int32_t tileHeight_ = 0;
    int32_t margin_ = 0;
    int32_t spacing_ = 0;
    int32_t columns_ = 0;
    std::string imageFolder_;
    std::optional<TmxImage> image_;
    std::string objectAlignment_;
    std::vector<TmxTile> tiles_;
    TmxProperties properties_;
    TmxLocation location_;
};

// Which tileset owns a global tile id: the last tileset in file order whose
// firstGid is not above the id. Only the tilesets that can still win are
// kept — a later tileset with a firstGid as low hides an earlier one — so
// firstGid rises along the list and a lookup is a binary search.
class TmxTilesetLookup {
  public:
    struct Owner {
        int32_t index;     // in the map's tilesets; -1 when none owns the id
        int32_t firstGid;  // of that tileset
    };

    // The next tileset in file order.
    void Add(int32_t firstGid, int32_t index);
    Owner OwnerOf(int32_t gid) const;

  private:
    std::vector<Owner> candidates_;
};

}  // namespace tmx
