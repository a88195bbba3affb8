#pragma once

// What both map targets check of a loaded map: the three exports run to the
// end, every finding can be put in words, and the zone script reads back as
// the zone it was written from.

#include "FindingText.h"
#include "ZoneDescribe.h"
#include "ZoneExports.h"
#include "ZoneScriptReader.h"
#include "tmx/model/TmxMap.h"

inline void ExportAll(const tmx::TmxMap& map) {
    Findings findings;
    const ZoneScript script = ConvertMap(map, true, findings);
    // The tile and header sections always close with three empty lines' worth.
    if (script.bytes().size() < 6) __builtin_trap();
    for (const Finding& finding : findings) {
        if (FindingText(finding).empty()) __builtin_trap();
    }
    // The zone script read back is the zone the map gave, unless a title
    // breaks its line (title-breaks-line): its lines may read as others.
    const auto& title = script.content().title;
    if (title && title->find_first_of("\r\n") != std::string::npos) return;
    Findings unread;
    if (DescribeZone(ReadZoneScript(script.bytes(), unread)) != DescribeZone(script.content())) {
        __builtin_trap();
    }
}
