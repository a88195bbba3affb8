// --diff and --describe: zones compared or told as text, each read from a map
// or a zone script; nothing written but standard output (and the picture).

#include <cerrno>
#include <cstring>
#include <optional>
#include <string>
#include <variant>

#include "converter/program/Output.h"
#include "converter/program/Pictures.h"
#include "converter/program/RunFiles.h"
#include "converter/program/Runs.h"
#include "converter/program/Status.h"
#include "converter/program/ZoneSource.h"
#include "converter/review/ZoneChangeText.h"
#include "converter/review/ZoneDescribe.h"
#include "converter/review/ZoneDiff.h"
#include "converter/review/ZonePicture.h"

namespace {

// A zone from either form; the reason on the diagnostics' stream when it
// cannot be read.
std::optional<LoadedZone> ReadZone(const std::string& path, tmx::TmxTemplates& templates,
                                   Projects& projects, Diagnostics& diagnostics,
                                   const GameTables& tables, bool withArt) {
    LoadedZone zone = LoadZone(ReadZoneSource(path), templates, projects, withArt, &tables);
    if (!zone.error) return zone;
    diagnostics.Report(path, *zone.error);
    return std::nullopt;
}

// What the tables do not list of a side, as its findings: a reviewer is told
// of a mob the table does not know, whatever else changed. The rest of a
// side's findings are its conversion's, not the review's.
void ReportUnlisted(const std::string& path, LoadedZone& zone, const Tuning& tuning,
                    Diagnostics& diagnostics) {
    Findings unlisted;
    for (Finding& finding : zone.findings) {
        if (std::holds_alternative<finding::MobUnknown>(finding.what) ||
            std::holds_alternative<finding::GroundUnknown>(finding.what)) {
            unlisted.push_back(std::move(finding));
        }
    }
    ReportFindings(unlisted, path, tuning, {}, diagnostics);
}

// The settings a review reads its files with: those of the file it is about
// (the new one of two), under the command line's.
std::optional<FileSettings> ReviewSettings(const CommandLine& line, const std::string& path,
                                           Diagnostics& diagnostics) {
    TableFiles tables;
    if (ReadCommandLineTables(line, tables, diagnostics) != kOk) return std::nullopt;
    ChecksFiles checks;
    return SettingsFor(path, line, checks, tables, diagnostics);
}

}  // namespace

int RunDiff(const CommandLine& line, Diagnostics& diagnostics) {
    tmx::TmxTemplates templates;
    std::optional<Projects> projects = ProjectsOf(line, diagnostics);
    if (!projects) return kTrouble;
    const std::string& oldPath = line.maps[0];
    const std::string& newPath = line.maps[1];
    const std::optional<FileSettings> settings = ReviewSettings(line, newPath, diagnostics);
    if (!settings) return kTrouble;
    Pictures pictures(line);
    std::optional<LoadedZone> before = ReadZone(oldPath, templates, *projects, diagnostics,
                                                settings->tables, pictures.WantsMapArt());
    std::optional<LoadedZone> after = ReadZone(newPath, templates, *projects, diagnostics,
                                               settings->tables, pictures.WantsMapArt());
    if (!before || !after) return kTrouble;
    ReportUnlisted(oldPath, *before, settings->tuning, diagnostics);
    ReportUnlisted(newPath, *after, settings->tuning, diagnostics);
    ZoneChanges changes = DiffZones(before->zone, after->zone);
    DiffReach(before->zone, after->zone, settings->tables, changes);
    if (!Print(ChangesText(changes, newPath, line.form, &settings->tables))) {
        ReportWriteError(newPath, std::string("cannot write the changes: ") + std::strerror(errno),
                         diagnostics);
        return kTrouble;
    }
    if (line.preview) {
        const GroundArt* artBefore = pictures.ArtOf(oldPath, &*before, diagnostics);
        const GroundArt* art = pictures.ArtOf(newPath, &*after, diagnostics);
        const PictureOptions options = pictures.Options(art, artBefore, &settings->tables);
        const std::string png = line.previewOverlay
                                    ? DrawZoneOverlay(before->zone, after->zone, changes, options)
                                    : DrawZoneChange(before->zone, after->zone, changes, options);
        if (!SavePicture(*line.preview, png, diagnostics)) return kTrouble;
    }
    return changes.empty() ? kSameZone : kOtherZone;
}

int RunDescribe(const CommandLine& line, Diagnostics& diagnostics) {
    tmx::TmxTemplates templates;
    std::optional<Projects> projects = ProjectsOf(line, diagnostics);
    if (!projects) return kFailed;
    const std::optional<FileSettings> settings = ReviewSettings(line, line.maps[0], diagnostics);
    if (!settings) return kFailed;
    const std::optional<LoadedZone> zone =
        ReadZone(line.maps[0], templates, *projects, diagnostics, settings->tables, false);
    if (!zone) return kFailed;
    if (Print(DescribeZone(zone->zone, &settings->tables))) return kOk;
    ReportWriteError(line.maps[0],
                     std::string("cannot write the description: ") + std::strerror(errno),
                     diagnostics);
    return kFailed;
}
