#include "ZoneLoad.h"

#include "ZoneExports.h"
#include "ZoneScriptReader.h"
#include "tmx/decode/TmxFileText.h"
#include "tmx/model/TmxMap.h"

bool IsMapText(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos && (text[first] == '<' || text[first] == '{');
}

ZoneScript ConvertMap(const tmx::TmxMap& map, bool keepContent, Findings& findings) {
    ZoneScript script(keepContent);
    findings = FindingsOfLoad(map);
    ExportMapProperties(map, script, findings);
    ExportTileLayers(map, script, findings);
    ExportObjectGroups(map, script, findings);
    return script;
}

LoadedZone LoadZone(const std::string& path, tmx::TmxTemplates& templates) {
    LoadedZone zone;
    const tmx::FileText file = tmx::ReadFileText(path, 0);
    if (!file.problem.empty()) {
        zone.error = "cannot read the file: " + file.problem;
        return zone;
    }
    if (!IsMapText(file.text)) {
        int32_t linesRead = 0;
        zone.content = ReadZoneScript(file.text, zone.findings, &linesRead);
        if (linesRead == 0) zone.error = kNotAZoneScript;
        return zone;
    }
    tmx::TmxMap map;
    map.LoadFromFile(path, &templates);
    if (map.failed()) {
        zone.error = "cannot load the map: " + map.errorMessage();
        zone.errorAt = map.errorLocation();
        return zone;
    }
    zone.content = ConvertMap(map, true, zone.findings).content();
    return zone;
}
