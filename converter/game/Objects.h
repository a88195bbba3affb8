#pragma once

// What the game reads of a map's objects: the object groups it knows, by
// their exact names; the names of entries and exits in "Zones"; and the
// markers of the #DEF_CODE lines they become.

#include <string_view>

enum class GroupKind { None, Zones, Mobs, Fields, Waypoints, Traps };

// The groups the game knows, in the order their names are tried.
inline constexpr GroupKind kGroupKinds[] = {GroupKind::Zones, GroupKind::Mobs, GroupKind::Fields,
                                            GroupKind::Waypoints, GroupKind::Traps};

constexpr const char* GroupName(GroupKind kind) {
    switch (kind) {
        case GroupKind::Zones:
            return "Zones";
        case GroupKind::Mobs:
            return "Mobs";
        case GroupKind::Fields:
            return "Fields";
        case GroupKind::Waypoints:
            return "Waypoints";
        case GroupKind::Traps:
            return "Traps";
        case GroupKind::None:
            break;
    }
    return "";
}

// Names are matched exactly: "mobs" or "Zones " are other groups.
constexpr GroupKind GroupKindOf(std::string_view name) {
    for (const GroupKind kind : kGroupKinds) {
        if (name == GroupName(kind)) return kind;
    }
    return GroupKind::None;
}

// Fields are known, but the game takes nothing from them.
constexpr bool IsExported(GroupKind kind) {
    return kind != GroupKind::None && kind != GroupKind::Fields;
}

// The markers of #DEF_CODE lines; a mob is written by its number instead.
constexpr char kEntryMarker = '>';
constexpr char kExitMarker = '<';
constexpr char kTrapMarker = '*';
constexpr char kMobMarker = 0;

// The names an entry or an exit may have in "Zones", the first of each as
// maps are written with it.
inline constexpr std::string_view kEntryNames[] = {"In", "in", "IN"};
inline constexpr std::string_view kExitNames[] = {"Out", "out", "OUT"};

// The marker a "Zones" object becomes by its name; 0 for none.
constexpr char ZoneMarkerOf(std::string_view name) {
    for (const std::string_view entry : kEntryNames)
        if (name == entry) return kEntryMarker;
    for (const std::string_view exit : kExitNames)
        if (name == exit) return kExitMarker;
    return 0;
}

// The group each marker comes from.
constexpr GroupKind GroupOfMarker(char marker) {
    if (marker == kEntryMarker || marker == kExitMarker) return GroupKind::Zones;
    return marker == kTrapMarker ? GroupKind::Traps : GroupKind::Mobs;
}

// The kinds of #DEF_CODE lines in the order a reviewer reads them: entries,
// exits, traps, mobs; and their names.
constexpr int MarkerRank(char marker) {
    return marker == kEntryMarker ? 0 : marker == kExitMarker ? 1 : marker == kTrapMarker ? 2 : 3;
}
inline constexpr const char* kMarkerNames[] = {"entry", "exit", "trap", "mob"};
constexpr int kMobRank = MarkerRank(kMobMarker);
