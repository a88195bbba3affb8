#pragma once

#include <string>

#include "converter/zone/Zone.h"

// The bytes of a zone script as the game server reads them: the header's
// lines and an empty line; each block's six #DEF_TILE rows and an empty line,
// in the order of `blocks`; the placements; two empty lines; then the codes
// and paths in their order, each path a path start line and its waypoints.
//
// The game was built against files written through a text-mode stream that
// turns every LF into CR LF: the header, code and waypoint lines reach the
// disk ending in CR CR LF (their text ended in CR LF), the others in CR LF.
std::string WriteZoneScript(const Zone& zone);
