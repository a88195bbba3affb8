// Converting maps: each map's zone script beside it (or where -o names it),
// and with --preview its picture.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "converter/program/Output.h"
#include "converter/program/Runs.h"
#include "converter/program/Status.h"
#include "converter/program/ZoneSource.h"
#include "converter/review/ZonePicture.h"
#include "converter/zone/ZoneReader.h"
#include "converter/zone/ZoneWriter.h"
#include "tmx/read/TmxTemplate.h"

namespace {

// The game's tools have always named a zone script after its map by swapping
// the last four characters (".tmx") for ".txt", whatever they are; a JSON
// map named ".json" loses all five.
std::string OutputNameFor(const std::string& mapPath) {
    const std::string json = ".json";
    if (mapPath.size() >= json.size() &&
        mapPath.compare(mapPath.size() - json.size(), json.size(), json) == 0) {
        return mapPath.substr(0, mapPath.size() - json.size()) + ".txt";
    }
    const size_t keep = mapPath.size() < 4 ? mapPath.size() : mapPath.size() - 4;
    return mapPath.substr(0, keep) + ".txt";
}

// The zone script: to standard output, or to its file.
bool SaveZoneScript(const std::string& output, const std::string& bytes, Diagnostics& diagnostics) {
    if (output != "-") {
        return SaveReporting(output, bytes, "the zone script", diagnostics, Announce::FailedToOpen);
    }
    if (Print(bytes)) return true;
    ReportWriteError(output,
                     std::string("cannot write to standard output: ") + std::strerror(errno),
                     diagnostics);
    return false;
}

// A zone script given to --preview: read back and drawn, nothing else written.
int PreviewZoneScript(const ZoneSource& source, const CommandLine& line, Diagnostics& diagnostics) {
    ZoneRead read = ReadZoneScript(source.text());
    if (read.linesRead == 0) {
        ReportLoadError(source.path, kNotAZoneScript, diagnostics);
        return kFailed;
    }
    const Verdict verdict =
        Judge(ReportFindings(read.findings, source.path, line, diagnostics), line);
    if (verdict.writes == Verdict::Writes::Nothing) return verdict.status;
    if (!SavePicture(*line.preview, DrawZonePicture(read.zone, line.previewScale), diagnostics))
        return kFailed;
    return verdict.status;
}

int Convert(const std::string& path, const CommandLine& line, tmx::TmxTemplates& templates,
            Diagnostics& diagnostics) {
    // A picture may be asked of a zone script too: the file tells which it is.
    std::optional<ZoneSource> source;
    if (line.preview) {
        source = ReadZoneSource(path);
        if (source->file.problem.empty() && !source->isMap) {
            return PreviewZoneScript(*source, line, diagnostics);
        }
    }
    if (path.size() >= 1000) {
        ReportLoadError(
            path.substr(0, 40) + "...",
            "the path is too long (" + std::to_string(path.size()) + " characters, at most 999)",
            diagnostics);
        return kFailed;
    }
    const std::string output = line.output.value_or(OutputNameFor(path));
    if (output == path) {
        ReportLoadError(path, "the map would be overwritten by its zone script", diagnostics);
        return kFailed;
    }

    LoadedZone map = LoadMap(source ? std::move(*source) : ReadZoneSource(path), templates);
    if (map.error) {
        diagnostics.Report(path, *map.error);
        return kFailed;
    }
    const Verdict verdict = Judge(ReportFindings(map.findings, path, line, diagnostics), line);
    if (verdict.writes == Verdict::Writes::Nothing) return verdict.status;
    if (line.preview &&
        !SavePicture(*line.preview, DrawZonePicture(map.zone, line.previewScale), diagnostics)) {
        return kFailed;
    }
    if (verdict.writes == Verdict::Writes::PictureOnly) return verdict.status;
    return SaveZoneScript(output, WriteZoneScript(map.zone), diagnostics) ? kOk : kFailed;
}

}  // namespace

int RunConvert(const CommandLine& line, Diagnostics& diagnostics) {
    tmx::TmxTemplates templates;  // read once for all the maps of the run
    int status = kOk;
    for (const std::string& path : line.maps) {
        if (Convert(path, line, templates, diagnostics) != kOk) status = kFailed;
        std::fflush(nullptr);
    }
    return status;
}
