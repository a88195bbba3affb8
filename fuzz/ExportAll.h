#pragma once

// What both map targets check of a loaded map: the three exports run to the
// end, every finding can be put in words, and the zone script reads back as
// the zone it was written from.

#include "converter/exports/ConvertMap.h"
#include "converter/findings/FindingText.h"
#include "converter/review/ZoneDescribe.h"
#include "converter/zone/ZoneReader.h"
#include "converter/zone/ZoneWriter.h"
#include "tmx/model/TmxMap.h"

inline void ExportAll(const tmx::TmxMap& map) {
    const ConvertedMap converted = ConvertMap(map);
    const std::string bytes = WriteZoneScript(converted.zone);
    // The tile and header sections always close with three empty lines' worth.
    if (bytes.size() < 6) __builtin_trap();
    for (const Finding& finding : converted.findings) {
        if (FindingText(finding).empty()) __builtin_trap();
    }
    // The zone script read back is the zone the map gave, unless a title
    // breaks its line (title-breaks-line): its lines may read as others.
    const auto& title = converted.zone.title;
    if (title && title->find_first_of("\r\n") != std::string::npos) return;
    if (DescribeZone(ReadZoneScript(bytes).zone) != DescribeZone(converted.zone)) {
        __builtin_trap();
    }
}
