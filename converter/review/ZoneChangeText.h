#pragma once

#include <string>
#include <vector>

#include "converter/findings/Diagnostics.h"
#include "converter/game/GameTables.h"
#include "converter/review/ZoneDiff.h"

// The changes from one zone to another as the user reads them, one a line:
// as text ("mob 12 moved from (5, 6) to (7, 6)", led by the place in the new
// zone's file where a change has one), as JSON objects, or as GitHub notices.
// With `tables`, each ground code and mob is followed by its name where the
// tables give one (and the JSON form gains name fields).
std::string ChangesText(const ZoneChanges& changes, const std::string& newPath,
                        DiagnosticsForm form, const GameTables* tables = nullptr);

// Each change's words alone, in the same order; `brief`, a block's changed
// cells counted but not listed ("ground block (0, 0): 3 cells changed").
std::vector<std::string> ChangeWords(const ZoneChanges& changes, bool brief,
                                     const GameTables* tables = nullptr);
