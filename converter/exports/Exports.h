#pragma once

// The three parts of a zone, built in this order from a loaded map. Each only
// reads the map and only adds to the zone; what the game's rules drop or
// change of the map as drawn, each adds to `findings`.

#include "converter/findings/Finding.h"
#include "converter/game/GameTables.h"
#include "converter/zone/Zone.h"
#include "tmx/model/TmxMap.h"

// Level, respawn and title from the map properties.
// Findings: header-number, header-name, header-type, header-enum,
// title-breaks-line, title-joined.
void ExportMapProperties(const tmx::TmxMap& map, Zone& zone, Findings& findings);

// The ground: 6 x 6 tile blocks defined and placed.
// Findings, per tile layer: tiles-outside-zone, tile-without-code,
// tilesets-share-codes, layer-blanks-tiles, hidden-layer, layer-offset, and
// with a ground table ground-unknown; of the map: empty-zone, orientation.
void ExportTileLayers(const tmx::TmxMap& map, Zone& zone, Findings& findings,
                      const GroundTable* table = nullptr);

// Entry and exit points, mobs, traps and waypoint paths. Findings: group-name,
// mob-number, zone-marker, waypoint-shape, path-id-reused,
// object-outside-zone, tile-object-anchor, path-point, and for the object
// groups exported: hidden-layer, layer-offset; of the map: tile-size; of
// group layers holding anything exported (tiles or objects): hidden-layer,
// layer-offset; with a mob table, mob-unknown.
void ExportObjectGroups(const tmx::TmxMap& map, Zone& zone, Findings& findings,
                        const MobTable* table = nullptr);
