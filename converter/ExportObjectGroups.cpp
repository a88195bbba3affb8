#include <string>

#include "TmxNumbers.h"
#include "ZoneExports.h"

namespace {

enum class ObjectGroupKind { None, Zones, Mobs, Fields, Waypoints, Traps };

// Group names are matched exactly: "mobs" or "Zones " are other groups.
ObjectGroupKind KindOf(const std::string& name) {
    if (name == "Zones") return ObjectGroupKind::Zones;
    if (name == "Mobs") return ObjectGroupKind::Mobs;
    if (name == "Fields") return ObjectGroupKind::Fields;
    if (name == "Waypoints") return ObjectGroupKind::Waypoints;
    if (name == "Traps") return ObjectGroupKind::Traps;
    return ObjectGroupKind::None;
}

// The game counts positions in cells of 32 pixels, rounding toward minus
// infinity: -1 is cell -1, -33 is cell -2.
int32_t CellOf(int32_t pixels) {
    return pixels >> 5;
}

constexpr int32_t kFirstPathId = 10001;

void ExportZone(const tmx::TmxObject& object, ZoneScript& script) {
    const std::string& name = object.name();
    char marker = 0;
    if (name == "In" || name == "in" || name == "IN") marker = '>';
    if (name == "Out" || name == "out" || name == "OUT") marker = '<';
    if (marker != 0) script.WriteMarkerCode(CellOf(object.x()), CellOf(object.y()), marker);
}

// Paths named by a number keep it; the others are numbered from kFirstPathId
// in map order, across all "Waypoints" groups.
void ExportWaypoints(const tmx::TmxObject& object, int32_t& pathCounter, ZoneScript& script) {
    script.WritePathStart();
    if (!object.polyline() || object.polyline()->points().empty()) return;
    const int32_t named = tmx::ReadInt(object.name());
    const int32_t pathId = named != 0 ? named : pathCounter;
    for (const tmx::TmxPoint& point : object.polyline()->points()) {
        script.WriteWaypoint(pathId, CellOf(tmx::WrapAdd(object.x(), point.x)),
                             CellOf(tmx::WrapAdd(object.y(), point.y)));
    }
    if (named == 0) ++pathCounter;
}

}  // namespace

void ExportObjectGroups(const tmx::TmxMap& map, ZoneScript& script) {
    int32_t pathCounter = kFirstPathId;
    for (const tmx::TmxObjectGroup& group : map.objectGroups()) {
        const ObjectGroupKind kind = KindOf(group.name());
        for (const tmx::TmxObject& object : group.objects()) {
            const int32_t column = CellOf(object.x());
            const int32_t row = CellOf(object.y());
            switch (kind) {
                case ObjectGroupKind::Zones:
                    ExportZone(object, script);
                    break;
                case ObjectGroupKind::Mobs:
                    script.WriteNumberCode(column, row, tmx::ReadInt(object.name()));
                    break;
                case ObjectGroupKind::Traps:
                    script.WriteMarkerCode(column, row, '*');
                    break;
                case ObjectGroupKind::Waypoints:
                    ExportWaypoints(object, pathCounter, script);
                    break;
                case ObjectGroupKind::Fields:
                case ObjectGroupKind::None:
                    break;
            }
        }
    }
}
