#pragma once

// What both map targets check of a loaded map: the three exports run to the
// end, and every finding can be put in words.

#include "FindingText.h"
#include "ZoneExports.h"
#include "tmx/model/TmxMap.h"

inline void ExportAll(const tmx::TmxMap& map) {
    ZoneScript script;
    Findings findings = FindingsOfLoad(map);
    ExportMapProperties(map, script, findings);
    ExportTileLayers(map, script, findings);
    ExportObjectGroups(map, script, findings);
    // The tile and header sections always close with three empty lines' worth.
    if (script.bytes().size() < 6) __builtin_trap();
    for (const Finding& finding : findings) {
        if (FindingText(finding).empty()) __builtin_trap();
    }
}
