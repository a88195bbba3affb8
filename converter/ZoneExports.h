#pragma once

// The three parts of a zone script, written in this order from a loaded map.
// Each only reads the map and only writes through the ZoneScript; what the
// game's rules drop or change of the map as drawn, each adds to `findings`.

#include "Finding.h"
#include "ZoneScript.h"
#include "tmx/model/TmxMap.h"

// Level, respawn and title from the map properties, then an empty line.
// Findings: header-number, title-breaks-line.
void ExportMapProperties(const tmx::TmxMap& map, ZoneScript& script, Findings& findings);

// The ground: 6 x 6 tile blocks defined and placed, then two empty lines.
// Findings, per tile layer: tiles-outside-zone, tile-without-code,
// layer-blanks-tiles, hidden-layer, layer-offset; of the map: orientation.
void ExportTileLayers(const tmx::TmxMap& map, ZoneScript& script, Findings& findings);

// Entry and exit points, mobs, traps and waypoint paths. Findings: group-name,
// mob-number, zone-marker, waypoint-shape, path-id-reused,
// object-outside-zone, and for the object groups exported: hidden-layer,
// layer-offset; of the map: tile-size; of group layers holding anything
// exported (tiles or objects): hidden-layer, layer-offset.
void ExportObjectGroups(const tmx::TmxMap& map, ZoneScript& script, Findings& findings);

// The three in their order, with the loader's own findings first: the zone
// script of `map`, keeping what it says when `keepContent`.
ZoneScript ConvertMap(const tmx::TmxMap& map, bool keepContent, Findings& findings);
