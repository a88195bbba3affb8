#pragma once

// The three parts of a zone script, written in this order from a loaded map.
// Each only reads the map and only writes through the ZoneScript.

#include <string>
#include <vector>

#include "TmxMap.h"
#include "ZoneScript.h"

// Level, respawn and title from the map properties, then an empty line.
void ExportMapProperties(const tmx::TmxMap& map, ZoneScript& script);

// The ground: 6 x 6 tile blocks defined and placed, then two empty lines.
// Returns one warning for each layer whose tiles did not all reach the zone
// (outside its 128 x 128 cells, or data that could not be decoded).
std::vector<std::string> ExportTileLayers(const tmx::TmxMap& map, ZoneScript& script);

// Entry and exit points, mobs, traps and waypoint paths.
void ExportObjectGroups(const tmx::TmxMap& map, ZoneScript& script);
