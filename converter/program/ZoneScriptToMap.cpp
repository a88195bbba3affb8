// --to-map: the Tiled map of a zone script, beside it (ZONE.txt gives
// ZONE.tmx), never over an existing file unless -o names it, with its
// tileset's picture beside it.

#include <iterator>
#include <optional>
#include <string>

#include "converter/picture/GroundCodesTileset.h"
#include "converter/program/Output.h"
#include "converter/program/Pictures.h"
#include "converter/program/RunFiles.h"
#include "converter/program/Runs.h"
#include "converter/program/Status.h"
#include "converter/program/ZoneSource.h"
#include "converter/tomap/ZoneToMap.h"
#include "converter/zone/ZoneReader.h"
#include "converter/zone/ZoneTables.h"
#include "platform/Files.h"

namespace {

// The name of the ground codes tileset's picture, beside every map --to-map
// writes in the codes' own colours; one in the game's art or a table's
// colours is the map's own (ZONE-ground.png).
constexpr char kGroundCodesPicture[] = "velt-ground-codes.png";

// The picture beside the map: written where there is none, kept where it
// already is (the same bytes), refused where another file has its name.
bool SaveGroundCodesPicture(const std::string& path, const std::string& png,
                            Diagnostics& diagnostics) {
    if (platform::Exists(path)) {
        if (ReadZoneSource(path).text() == png) return true;
        ReportWriteError(path, "cannot write the ground codes picture: another file has its name",
                         diagnostics);
        return false;
    }
    return SaveReporting(path, png, "the ground codes picture", diagnostics);
}

// Whether a ground table gives any code a colour of its own.
bool HasColours(const GroundTable* table) {
    for (int32_t code = 1; table != nullptr && code < 256; ++code)
        if (const GroundKind* kind = table->Of(code); kind != nullptr && kind->colour) return true;
    return false;
}

// The picture of a map's own tileset: ZONE.tmx's is ZONE-ground.png.
std::string OwnPictureName(const std::string& mapPath) {
    std::string name = mapPath.substr(mapPath.find_last_of("/\\") + 1);
    const std::string tmx = ".tmx";
    if (name.size() > tmx.size() && name.compare(name.size() - tmx.size(), tmx.size(), tmx) == 0) {
        name.resize(name.size() - tmx.size());
    }
    return name + "-ground.png";
}

// ZONE.txt gives ZONE.tmx; another name gets ".tmx" added.
std::string MapNameFor(const std::string& path) {
    const std::string txt = ".txt";
    const bool isTxt =
        path.size() > txt.size() && path.compare(path.size() - txt.size(), txt.size(), txt) == 0;
    return (isTxt ? path.substr(0, path.size() - txt.size()) : path) + ".tmx";
}

}  // namespace

int RunToMap(const CommandLine& line, Diagnostics& diagnostics) {
    const std::string& path = line.maps[0];
    const ZoneSource source = ReadZoneSource(path);
    if (!source.file.problem.empty()) {
        ReportLoadError(path, "cannot read the zone script: " + source.file.problem, diagnostics);
        return kFailed;
    }
    if (source.isMap) {
        ReportLoadError(path, "this is a map, not a zone script", diagnostics);
        return kFailed;
    }
    const std::string output = line.output.value_or(MapNameFor(path));
    TableFiles tables;
    if (const int status = ReadCommandLineTables(line, tables, diagnostics); status != kOk) {
        return status;
    }
    ChecksFiles checks;
    const std::optional<FileSettings> settings =
        SettingsFor(path, line, checks, tables, diagnostics);
    if (!settings) return kFailed;
    // The tileset's picture in the game's art, or the table's colours, where
    // there are some: the map's own.
    std::optional<GroundAtlas> atlas;
    if (line.groundArt && !(atlas = AtlasFor(*line.groundArt, diagnostics))) return kFailed;
    const GroundTable* ground = settings->tables.ground.get();
    const std::string png = DrawGroundCodesTileset(ground, atlas ? &*atlas : nullptr);
    const bool own = atlas || HasColours(ground);
    const std::string pictureName = own ? OwnPictureName(output) : kGroundCodesPicture;
    ZoneMap map = MapFromZoneScript(source.text(), pictureName);
    if (!map.isZoneScript) {
        ReportLoadError(path, kNotAZoneScript, diagnostics);
        return kFailed;
    }
    // --check writes nothing, so nothing it would write can be in the way.
    if (!line.check && output == path) {
        ReportWriteError(path, "the zone script would be overwritten by its map", diagnostics);
        return kFailed;
    }
    if (!line.check && !line.output && platform::Exists(output)) {
        ReportWriteError(output, "the map is there already; name it with -o to replace it",
                         diagnostics);
        return kFailed;
    }
    Findings unlisted = TableFindings(ReadZoneScript(source.text()).zone, settings->tables);
    map.findings.insert(map.findings.end(), std::make_move_iterator(unlisted.begin()),
                        std::make_move_iterator(unlisted.end()));
    const Verdict verdict =
        Judge(ReportFindings(map.findings, path, settings->tuning, {}, diagnostics), line);
    if (verdict.writes != Verdict::Writes::Everything) return verdict.status;
    if (!SaveGroundCodesPicture(platform::FolderOf(output) + pictureName, png, diagnostics)) {
        return kFailed;
    }
    return SaveReporting(output, map.tmx, "the map", diagnostics) ? kOk : kFailed;
}
