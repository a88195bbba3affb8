#pragma once

#include <string>
#include <string_view>

#include "converter/findings/Finding.h"

// A zone script made a Tiled map that converts back to the same bytes: 128 x
// 128 cells of 32 pixels; the header as the properties Level, Respawn and
// Title; the ground as the CSV tile layer "Ground" of the tileset "Velt
// ground codes" (its picture at `imageName`, as DrawGroundCodesTileset draws
// it), each code as the local id whose code it is; the codes and paths in
// object groups "Zones", "Mobs", "Traps" and "Waypoints" in the order of their
// lines, a new group where the kinds interleave, each object at its cell's
// centre.
//
// What the map cannot hold is a finding at its line of the zone script: the
// reader's (zone-line, zone-number, zone-block), a code no tile gives
// (zone-code), a cell too far out (zone-far), and, where the map's conversion
// still differs from the zone script, its first differing line
// (zone-round-trip).
struct ZoneMap {
    std::string tmx;
    Findings findings;
    bool isZoneScript = false;  // not one line of the bytes is a zone script line: no map
};

ZoneMap MapFromZoneScript(std::string_view bytes, const std::string& imageName);
