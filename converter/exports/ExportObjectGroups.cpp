#include <algorithm>
#include <cctype>
#include <map>
#include <string>

#include "converter/exports/Exports.h"
#include "converter/exports/LayerPath.h"
#include "converter/game/Objects.h"
#include "converter/game/ZoneGeometry.h"
#include "tmx/decode/TmxNumbers.h"

namespace {

// Half of `doubled`, rounded toward minus infinity as cells are.
constexpr int64_t HalfDown(int64_t doubled) {
    return doubled >= 0 ? doubled / 2 : -((-doubled + 1) / 2);
}

using Element = FindingSubject::Element;

// A name folded the way designers slip: no white space around it, lower
// case, no plural "s".
std::string Folded(const std::string& name) {
    const size_t first = name.find_first_not_of(" \t\r\n");
    const size_t last = name.find_last_not_of(" \t\r\n");
    std::string folded = first == std::string::npos ? "" : name.substr(first, last - first + 1);
    for (char& c : folded)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (!folded.empty() && folded.back() == 's') folded.pop_back();
    return folded;
}

// The group name the game reads that `name` misses only by a slip, or "".
std::string NearGroupName(const std::string& name) {
    for (const GroupKind kind : kGroupKinds) {
        if (Folded(name) == Folded(GroupName(kind))) return GroupName(kind);
    }
    return "";
}

// How many listed mobs a mob-unknown names.
constexpr size_t kNearestMobs = 3;

// One run of the export: the lines, and the findings about what they left
// out or moved.
class ObjectExport {
  public:
    ObjectExport(const tmx::TmxMap& map, Zone& zone, Findings& findings, const MobTable* mobs)
        : map_(map), zone_(zone), findings_(findings), mobs_(mobs) {}

    void Run() {
        for (const tmx::TmxObjectGroup& group : map_.objectGroups()) {
            const GroupKind kind = GroupKindOf(group.name());
            CheckGroup(group, kind);
            for (const tmx::TmxObject& object : group.objects())
                Export(group, kind, object);
        }
        if (wroteAny_ && (map_.tileWidth() != kCellPixels || map_.tileHeight() != kCellPixels)) {
            findings_.push_back(
                FindingOf(finding::TileSize{map_.tileWidth(), map_.tileHeight()}, map_.location()));
        }
        CheckGroupLayers();
    }

  private:
    void Export(const tmx::TmxObjectGroup& group, GroupKind kind, const tmx::TmxObject& object) {
        switch (kind) {
            case GroupKind::Zones:
                ExportZone(group, object);
                break;
            case GroupKind::Mobs: {
                const int32_t number = tmx::ReadInt(object.name());
                if (!tmx::IsWholeNumber(object.name())) {
                    Add(group, object, finding::MobNumber{number});
                }
                AddCode(group, object, kMobMarker, number);
                if (mobs_ != nullptr && mobs_->NameOf(number) == nullptr) {
                    // A zone places many mobs of one number: each's nearest found once.
                    auto nearest = nearestMobs_.find(number);
                    if (nearest == nearestMobs_.end()) {
                        nearest = nearestMobs_.emplace(number, mobs_->Nearest(number, kNearestMobs))
                                      .first;
                    }
                    Add(group, object, finding::MobUnknown{number, mobs_->file(), nearest->second});
                }
                break;
            }
            case GroupKind::Traps:
                AddCode(group, object, kTrapMarker, 0);
                break;
            case GroupKind::Waypoints:
                ExportWaypoints(group, object);
                break;
            case GroupKind::Fields:
            case GroupKind::None:
                break;
        }
    }

    void ExportZone(const tmx::TmxObjectGroup& group, const tmx::TmxObject& object) {
        const char marker = ZoneMarkerOf(object.name());
        if (marker == 0) {
            Add(group, object, finding::ZoneMarker{});
            return;
        }
        AddCode(group, object, marker, 0);
    }

    // A #DEF_CODE line at the object's cell: a marker, or a mob's number
    // (where the marker is kMobMarker). Findings: object-outside-zone,
    // tile-object-anchor.
    void AddCode(const tmx::TmxObjectGroup& group, const tmx::TmxObject& object, char marker,
                 int32_t number) {
        const int32_t column = CellOf(object.x());
        const int32_t row = CellOf(object.y());
        zone_.AddCode({column, row, marker, number, object.location(), object.id()});
        wroteAny_ = true;
        if (!InZone(column, row)) Add(group, object, finding::ObjectOutsideZone{{column, row}});
        // Tiled draws a tile object around its position by its tileset's
        // object alignment: above it and to its right where unspecified.
        if (object.shape() == tmx::TmxShape::Tile && object.height() > 0) {
            const tmx::TmxObjectAnchor anchor = map_.ObjectAnchorOf(object.gid());
            const int64_t width = std::max(object.width(), 0);
            const int32_t drawnColumn =
                CellOf(HalfDown(2 * int64_t{object.x()} - anchor.across * width));
            const int32_t drawnRow =
                CellOf(HalfDown(2 * int64_t{object.y()} - anchor.down * int64_t{object.height()}));
            if (drawnColumn != column || drawnRow != row) {
                Add(group, object,
                    finding::TileObjectAnchor{{drawnColumn, drawnRow}, {column, row}, anchor});
            }
        }
    }

    // Paths named by a number keep it; the others are numbered from
    // kFirstPathId in map order, across all "Waypoints" groups.
    // Findings: waypoint-shape, path-id-reused, object-outside-zone (of the
    // path), path-point.
    void ExportWaypoints(const tmx::TmxObjectGroup& group, const tmx::TmxObject& object) {
        Zone::Path& path = zone_.StartPath();
        if (!object.polyline() || object.polyline()->points().empty()) {
            Add(group, object, finding::WaypointShape{object.shape()});
            return;
        }
        wroteAny_ = true;
        const int32_t named = tmx::ReadInt(object.name());
        const int32_t pathId = named != 0 ? named : pathCounter_;
        if (named == 0) ++pathCounter_;
        const auto [owner, isNew] = pathOwners_.try_emplace(pathId, object.id());
        if (!isNew) Add(group, object, finding::PathIdReused{pathId, owner->second});

        const std::vector<tmx::TmxPoint>& points = object.polyline()->points();
        finding::PathOutsideZone outside{{}, 0, static_cast<int64_t>(points.size())};
        for (const tmx::TmxPoint& point : points) {
            const int32_t column = CellOf(tmx::WrapAdd(object.x(), point.x));
            const int32_t row = CellOf(tmx::WrapAdd(object.y(), point.y));
            path.push_back({pathId, column, row, object.location(), object.id()});
            if (InZone(column, row)) continue;
            if (outside.pointsOutside++ == 0) outside.firstOutside = {column, row};
        }
        if (outside.pointsOutside > 0) Add(group, object, outside);
        if (const auto& partial = object.polyline()->firstPartial()) {
            const tmx::TmxPoint read = points[partial->index];
            Add(group, object,
                finding::PathPoint{static_cast<int64_t>(partial->index) + 1, partial->text, read.x,
                                   read.y,
                                   static_cast<int64_t>(object.polyline()->partialCount())});
        }
    }

    // group-name; for a group that is exported: hidden-layer (a note),
    // layer-offset.
    void CheckGroup(const tmx::TmxObjectGroup& group, GroupKind kind) {
        if (group.objects().empty()) return;
        if (kind == GroupKind::None) {
            const std::string near = NearGroupName(group.name());
            if (!near.empty()) {
                AddAbout(group,
                         finding::GroupName{near, static_cast<int64_t>(group.objects().size())});
            }
        }
        if (!IsExported(kind)) return;
        if (group.visible() == 0) AddAbout(group, finding::HiddenLayer{});
        if (group.offsetX() != 0 || group.offsetY() != 0) {
            AddAbout(group, finding::LayerOffset{group.offsetX(), group.offsetY()});
        }
    }

    // Group layers whose layers count although the group is hidden or
    // offset: hidden-layer (a note), layer-offset.
    void CheckGroupLayers() {
        for (size_t i = 0; i < map_.groups().size(); ++i) {
            const tmx::TmxGroup& group = map_.groups()[i];
            if (!HoldsExported(group)) continue;
            FindingSubject about{Element::Group, GroupPath(map_, i), 0, "", group.id};
            about.group = static_cast<int32_t>(i);
            if (!group.visible) {
                findings_.push_back(FindingOf(finding::HiddenLayer{}, group.location, about));
            }
            if (group.offsetX != 0 || group.offsetY != 0) {
                findings_.push_back(FindingOf(finding::LayerOffset{group.offsetX, group.offsetY},
                                              group.location, about));
            }
        }
    }

    bool HoldsExported(const tmx::TmxGroup& group) const {
        const auto within = [&](int32_t order) {
            return order >= group.firstOrder && order < group.endOrder;
        };
        for (const tmx::TmxLayer& layer : map_.layers()) {
            if (within(layer.orderIndex())) return true;
        }
        for (const tmx::TmxObjectGroup& objects : map_.objectGroups()) {
            if (within(objects.orderIndex()) && IsExported(GroupKindOf(objects.name())) &&
                !objects.objects().empty()) {
                return true;
            }
        }
        return false;
    }

    template <class Kind>
    void AddAbout(const tmx::TmxObjectGroup& group, Kind what) {
        findings_.push_back(
            FindingOf(std::move(what), group.location(),
                      {Element::ObjectGroup, Path(group), 0, "", group.id(), group.orderIndex()}));
    }

    // A finding about an object, named as it is.
    template <class Kind>
    void Add(const tmx::TmxObjectGroup& group, const tmx::TmxObject& object, Kind what) {
        findings_.push_back(FindingOf(
            std::move(what), object.location(),
            {Element::Object, Path(group), object.id(), object.name(), group.id(),
             group.orderIndex(), -1, static_cast<int32_t>(&object - group.objects().data())}));
    }

    std::string Path(const tmx::TmxObjectGroup& group) const {
        return LayerPath(map_, group.orderIndex(), group.name());
    }

    const tmx::TmxMap& map_;
    Zone& zone_;
    Findings& findings_;
    const MobTable* mobs_;
    std::map<int32_t, std::vector<MobKind>> nearestMobs_;
    int32_t pathCounter_ = kFirstPathId;
    std::map<int32_t, int32_t> pathOwners_;  // path id -> the object that took it first
    bool wroteAny_ = false;
};

}  // namespace

void ExportObjectGroups(const tmx::TmxMap& map, Zone& zone, Findings& findings,
                        const MobTable* mobs) {
    ObjectExport(map, zone, findings, mobs).Run();
}
