#pragma once

#include "converter/findings/Finding.h"
#include "converter/game/GameTables.h"
#include "converter/zone/Zone.h"
#include "tmx/model/TmxMap.h"

// A loaded map's zone: the three exports in their order, and what they and
// the loader found, the loader's own findings (layer data, templates) first,
// less those the map's elements silence (velt-ignore).
struct ConvertedMap {
    Zone zone;
    Findings findings;
};

// With `tables`, also what they do not list (ground-unknown, mob-unknown)
// and, where they say what is walkable, where a player cannot walk.
ConvertedMap ConvertMap(const tmx::TmxMap& map, const GameTables* tables = nullptr);
