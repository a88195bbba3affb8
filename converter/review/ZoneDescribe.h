#pragma once

#include <string>

#include "converter/game/GameTables.h"
#include "converter/zone/Zone.h"

// A zone as stable text, for reading and for line-based diffs: the header;
// one line per ground row of a 6 x 6 block that has any ground, keyed by the
// block's first cell (not its id); the markers by kind, number and cell;
// each path keyed by its points. A map and its zone script give the same
// text, and a one-cell edit changes one line.
// With `tables`, each code and mob is followed by its name where they give one
// ("16 grass, 17 sand"; mob 12 "Goblin"), and a row's codes are separated by
// commas; where they say what is walkable, a last line on where a player
// walks.
std::string DescribeZone(const Zone& zone, const GameTables* tables = nullptr);
