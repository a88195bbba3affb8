#pragma once

// A zone script read back, against the game's tables: the mobs the mob table
// does not list (mob-unknown, at their lines), the ground codes the ground
// table does not list (ground-unknown, at the lines that place them), and
// where a table says what is walkable, where a player cannot walk
// (ZoneWalk.h).

#include "converter/findings/Finding.h"
#include "converter/game/GameTables.h"
#include "converter/zone/Zone.h"

Findings TableFindings(const Zone& zone, const GameTables& tables);
