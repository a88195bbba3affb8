#include "converter/program/ZoneSource.h"

#include <algorithm>
#include <utility>

#include "converter/exports/ConvertMap.h"
#include "converter/zone/ZoneReader.h"
#include "tmx/model/TmxMap.h"

namespace {

// A map starts with "<" (TMX) or "{" (JSON; "[" is JSON that is no map), a
// zone script never does.
bool IsMapText(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos &&
           (text[first] == '<' || text[first] == '{' || text[first] == '[');
}

Finding LoadError(std::string reason, tmx::TmxLocation at = {}) {
    return FindingOf(finding::Load{std::move(reason)}, at);
}

}  // namespace

std::string_view ZoneSource::text() const {
    const std::string_view all = file.text;
    return all.substr(0, all.size() - std::min(all.size(), tmx::TmxMap::kTextPadding));
}

ZoneSource ReadZoneSource(const std::string& path) {
    ZoneSource source{path, platform::ReadFileText(path, tmx::TmxMap::kTextPadding), false};
    source.isMap = source.file.problem.empty() && IsMapText(source.text());
    return source;
}

LoadedZone LoadMap(ZoneSource source, tmx::TmxTemplates& templates) {
    LoadedZone loaded;
    if (!source.file.problem.empty()) {
        loaded.error = LoadError("cannot load the map: " + source.file.problem);
        return loaded;
    }
    tmx::TmxMap map;
    map.LoadFromFileText(source.path, std::move(source.file.text), &templates);
    if (map.failed()) {
        loaded.error = LoadError("cannot load the map: " + map.errorMessage(), map.errorLocation());
        return loaded;
    }
    ConvertedMap converted = ConvertMap(map);
    loaded.zone = std::move(converted.zone);
    loaded.findings = std::move(converted.findings);
    return loaded;
}

LoadedZone LoadZone(ZoneSource source, tmx::TmxTemplates& templates) {
    if (!source.file.problem.empty()) {
        LoadedZone loaded;
        loaded.error = LoadError("cannot read the file: " + source.file.problem);
        return loaded;
    }
    if (source.isMap) return LoadMap(std::move(source), templates);
    ZoneRead read = ReadZoneScript(source.text());
    LoadedZone loaded{std::move(read.zone), std::move(read.findings), std::nullopt};
    if (read.linesRead == 0) loaded.error = LoadError(kNotAZoneScript);
    return loaded;
}
