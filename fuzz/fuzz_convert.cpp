// Any bytes as a map file: load, then the three exports into memory.

#include <cstddef>
#include <cstdint>
#include <string>

#include "FindingText.h"
#include "TmxMap.h"
#include "ZoneExports.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tmx::TmxMap map;
    map.LoadFromText(std::string(reinterpret_cast<const char*>(data), size));
    if (map.failed()) return 0;
    ZoneScript script;
    tmx::TmxFindings findings = map.findings();
    ExportMapProperties(map, script, findings);
    ExportTileLayers(map, script, findings);
    ExportObjectGroups(map, script, findings);
    // Every finding can be put in words.
    for (const tmx::TmxFinding& finding : findings) {
        if (FindingText(finding).empty()) __builtin_trap();
    }
    // The tile and header sections always close with three empty lines' worth.
    if (script.bytes().size() < 6) __builtin_trap();
    return 0;
}
