#include "tmx/model/TmxTileset.h"

#include <algorithm>

#include "tmx/read/TmxXml.h"

namespace tmx {

void TmxImage::ReadElement(const TiXmlElement* element) {
    ReadTextAttribute(element, "source", source_);
    ReadIntAttribute(element, "width", width_);
    ReadIntAttribute(element, "height", height_);
    ReadTextAttribute(element, "trans", transparentColor_);
}

TmxTile::TmxTile(const TiXmlElement* element) {
    ReadIntAttribute(element, "id", id_);
    properties_.ReadFirstBlockOf(element);
}

void TmxTileset::ReadElement(const TiXmlElement* element) {
    ReadIntAttribute(element, "firstgid", firstGid_);
    ReadIntAttribute(element, "tilewidth", tileWidth_);
    ReadIntAttribute(element, "tileheight", tileHeight_);
    ReadIntAttribute(element, "margin", margin_);
    ReadIntAttribute(element, "spacing", spacing_);
    ReadTextAttribute(element, "name", name_);
    ReadTextAttribute(element, "source", source_);
    if (const TiXmlElement* image = element->FirstChildElement("image")) {
        image_.emplace().ReadElement(image);
    }
    for (const TiXmlElement* tile = element->FirstChildElement("tile"); tile;
         tile = tile->NextSiblingElement("tile")) {
        tiles_.emplace_back(tile);
    }
    properties_.ReadFirstBlockOf(element);
}

void TmxTilesetLookup::Add(int32_t firstGid, int32_t index) {
    while (!candidates_.empty() && candidates_.back().firstGid >= firstGid)
        candidates_.pop_back();
    candidates_.push_back({index, firstGid});
}

TmxTilesetLookup::Owner TmxTilesetLookup::OwnerOf(int32_t gid) const {
    const auto above = std::upper_bound(
        candidates_.begin(), candidates_.end(), gid,
        [](int32_t id, const Owner& candidate) { return id < candidate.firstGid; });
    return above == candidates_.begin() ? Owner{-1, 0} : *(above - 1);
}

}  // namespace tmx
