#include "TmxFinding.h"

#include <cmath>

namespace tmx {

const char* KindName(TmxFindingKind kind) {
    switch (kind) {
        case TmxFindingKind::Load:
            return "load";
        case TmxFindingKind::TilesOutsideZone:
            return "tiles-outside-zone";
        case TmxFindingKind::LayerUndecodable:
        case TmxFindingKind::LayerCompression:
        case TmxFindingKind::LayerTooLarge:
            return "layer-data";
        case TmxFindingKind::TileWithoutCode:
            return "tile-without-code";
        case TmxFindingKind::TilesetsShareCodes:
            return "tilesets-share-codes";
        case TmxFindingKind::EmptyZone:
            return "empty-zone";
        case TmxFindingKind::LayerBlanksTiles:
            return "layer-blanks-tiles";
        case TmxFindingKind::HiddenLayer:
            return "hidden-layer";
        case TmxFindingKind::GroupName:
            return "group-name";
        case TmxFindingKind::MobNumber:
            return "mob-number";
        case TmxFindingKind::ZoneMarker:
            return "zone-marker";
        case TmxFindingKind::WaypointShape:
            return "waypoint-shape";
        case TmxFindingKind::PathIdReused:
            return "path-id-reused";
        case TmxFindingKind::ObjectOutsideZone:
            return "object-outside-zone";
        case TmxFindingKind::TileObjectAnchor:
            return "tile-object-anchor";
        case TmxFindingKind::PathPoint:
            return "path-point";
        case TmxFindingKind::TileSize:
            return "tile-size";
        case TmxFindingKind::Orientation:
            return "orientation";
        case TmxFindingKind::LayerOffset:
            return "layer-offset";
        case TmxFindingKind::TitleBreaksLine:
            return "title-breaks-line";
        case TmxFindingKind::TitleJoined:
            return "title-joined";
        case TmxFindingKind::HeaderNumber:
            return "header-number";
        case TmxFindingKind::Template:
            return "template";
        case TmxFindingKind::ZoneLine:
            return "zone-line";
        case TmxFindingKind::ZoneNumber:
            return "zone-number";
        case TmxFindingKind::ZoneBlock:
            return "zone-block";
    }
    return "";
}

std::vector<int64_t> OffsetValues(double x, double y) {
    return {std::llround(x * 1000), std::llround(y * 1000)};
}

}  // namespace tmx
