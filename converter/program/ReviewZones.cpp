// --diff and --describe: zones compared or told as text, each read from a map
// or a zone script; nothing written but standard output (and the picture).

#include <cerrno>
#include <cstring>
#include <optional>
#include <string>

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
                                   bool withArt = false) {
    LoadedZone zone = LoadZone(ReadZoneSource(path), templates, projects, withArt);
    if (!zone.error) return zone;
    diagnostics.Report(path, *zone.error);
    return std::nullopt;
}

}  // namespace

int RunDiff(const CommandLine& line, Diagnostics& diagnostics) {
    tmx::TmxTemplates templates;
    std::optional<Projects> projects = ProjectsOf(line, diagnostics);
    if (!projects) return kTrouble;
    const std::string& oldPath = line.maps[0];
    const std::string& newPath = line.maps[1];
    Pictures pictures(line);
    const std::optional<LoadedZone> before =
        ReadZone(oldPath, templates, *projects, diagnostics, pictures.WantsMapArt());
    const std::optional<LoadedZone> after =
        ReadZone(newPath, templates, *projects, diagnostics, pictures.WantsMapArt());
    if (!before || !after) return kTrouble;
    const ZoneChanges changes = DiffZones(before->zone, after->zone);
    if (!Print(ChangesText(changes, newPath, line.form))) {
        ReportWriteError(newPath, std::string("cannot write the changes: ") + std::strerror(errno),
                         diagnostics);
        return kTrouble;
    }
    if (line.preview) {
        const GroundArt* artBefore = pictures.ArtOf(oldPath, &*before, diagnostics);
        const GroundArt* art = pictures.ArtOf(newPath, &*after, diagnostics);
        const PictureOptions options = pictures.Options(art, artBefore);
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
    const std::optional<LoadedZone> zone =
        ReadZone(line.maps[0], templates, *projects, diagnostics);
    if (!zone) return kFailed;
    if (Print(DescribeZone(zone->zone))) return kOk;
    ReportWriteError(line.maps[0],
                     std::string("cannot write the description: ") + std::strerror(errno),
                     diagnostics);
    return kFailed;
}
