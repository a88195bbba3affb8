#include "converter/program/ZoneSource.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <utility>

#include "converter/exports/ConvertMap.h"
#include "converter/zone/ZoneReader.h"
#include "converter/zone/ZoneTables.h"
#include "tmx/model/TmxMap.h"
#include "tmx/read/TmxProject.h"

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

namespace {

// Whether the map's own properties need a project to be read as Tiled shows
// them: it has a class, or a property of a custom type.
bool NeedsProject(const tmx::TmxMap& map) {
    if (!map.className().empty()) return true;
    for (const auto& [name, property] : map.properties().entries())
        if (!property.propertyType.empty()) return true;
    return false;
}

// The project laid on the map; what could not be, as findings.
void ApplyProject(tmx::TmxMap& map, Projects& projects, Findings& findings) {
    if (!NeedsProject(map)) return;
    const Projects::Found found = projects.For(map.sourcePath());
    if (!found.problem.empty())
        findings.push_back(FindingOf(finding::Project{found.problem}, map.location()));
    const tmx::TmxClassUse use = tmx::ApplyProject(found.project, map);
    using Why = finding::MapClass::Why;
    std::optional<Why> why;
    if (use == tmx::TmxClassUse::NoProject && found.problem.empty()) why = Why::NoProject;
    if (use == tmx::TmxClassUse::Undeclared) why = Why::Undeclared;
    if (use == tmx::TmxClassUse::NotForMaps) why = Why::NotForMaps;
    if (why) {
        findings.push_back(
            FindingOf(finding::MapClass{*why, map.className(), found.path}, map.location()));
    }
}

}  // namespace

LoadedZone LoadMap(ZoneSource source, tmx::TmxTemplates& templates, Projects& projects,
                   bool withArt, Repositories* repositories, const GameTables* tables) {
    LoadedZone loaded;
    if (!source.file.problem.empty()) {
        loaded.error = LoadError("cannot load the map: " + source.file.problem);
        return loaded;
    }
    tmx::TmxMap map;
    map.LoadFromFileText(source.path, std::move(source.file.text), &templates);
    if (map.failed()) {
        loaded.error = LoadError("cannot load the map: " + map.errorMessage(), map.errorLocation());
        loaded.notAMap = map.errorCode() == tmx::TmxLoadError::NotAMap;
        return loaded;
    }
    loaded.at = map.location();
    Findings found;
    ApplyProject(map, projects, found);
    ConvertedMap converted = ConvertMap(map, tables);
    loaded.zone = std::move(converted.zone);
    loaded.findings = std::move(found);
    loaded.findings.insert(loaded.findings.end(),
                           std::make_move_iterator(converted.findings.begin()),
                           std::make_move_iterator(converted.findings.end()));
    if (repositories != nullptr) {
        Findings files = FileReferenceFindings(map, *repositories);
        loaded.findings.insert(loaded.findings.end(), std::make_move_iterator(files.begin()),
                               std::make_move_iterator(files.end()));
    }
    if (withArt) loaded.art = MapArtOf(map, loaded.zone, loaded.artProblems);
    return loaded;
}

LoadedZone LoadZone(ZoneSource source, tmx::TmxTemplates& templates, Projects& projects,
                    bool withArt, const GameTables* tables) {
    if (!source.file.problem.empty()) {
        LoadedZone loaded;
        loaded.error = LoadError("cannot read the file: " + source.file.problem);
        return loaded;
    }
    if (source.isMap) {
        return LoadMap(std::move(source), templates, projects, withArt, nullptr, tables);
    }
    ZoneRead read = ReadZoneScript(source.text());
    LoadedZone loaded{
        std::move(read.zone), std::move(read.findings), {}, std::nullopt, false, {}, {}};
    if (read.linesRead == 0) loaded.error = LoadError(kNotAZoneScript);
    if (tables != nullptr && !loaded.error) {
        Findings unlisted = TableFindings(loaded.zone, *tables);
        loaded.findings.insert(loaded.findings.end(), std::make_move_iterator(unlisted.begin()),
                               std::make_move_iterator(unlisted.end()));
    }
    return loaded;
}
