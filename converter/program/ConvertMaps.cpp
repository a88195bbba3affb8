// Converting maps: each map's zone script beside it (or where -o names it),
// and with --preview its picture.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "converter/program/Baseline.h"
#include "converter/program/ChecksFiles.h"
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

// What the maps of one run share.
struct Run {
    tmx::TmxTemplates templates;  // each read once
    ChecksFiles checks;           // each read once
    std::optional<Baseline> accepted;
    std::optional<Baseline> recording;

    Baselines baselines() {
        return {accepted ? &*accepted : nullptr, recording ? &*recording : nullptr};
    }
};

// The team's settings for the file at `path`: its checks files under the
// command line's. None, with what is wrong in them reported, where they
// cannot be used.
std::optional<Tuning> TuningFor(const std::string& path, const CommandLine& line, Run& run,
                                Diagnostics& diagnostics) {
    std::vector<ChecksProblem> problems;
    const Tuning tuning = Tuning::Over(run.checks.For(path, problems), line.tuning);
    for (const ChecksProblem& problem : problems)
        diagnostics.Report(problem.path, problem.finding);
    if (!problems.empty()) return std::nullopt;
    return tuning;
}

// A zone script given to --check or --preview: read back, its findings
// reported, and drawn; nothing else written.
int CheckZoneScript(const ZoneSource& source, const CommandLine& line, Run& run,
                    Diagnostics& diagnostics) {
    ZoneRead read = ReadZoneScript(source.text());
    if (read.linesRead == 0) {
        ReportLoadError(source.path, kNotAZoneScript, diagnostics);
        return kFailed;
    }
    const std::optional<Tuning> tuning = TuningFor(source.path, line, run, diagnostics);
    if (!tuning) return kFailed;
    const Verdict verdict = Judge(
        ReportFindings(read.findings, source.path, *tuning, run.baselines(), diagnostics), line);
    if (verdict.writes == Verdict::Writes::Nothing || !line.preview) return verdict.status;
    if (!SavePicture(*line.preview, DrawZonePicture(read.zone, line.previewScale), diagnostics)) {
        return kFailed;
    }
    return verdict.status;
}

int Convert(const std::string& path, const CommandLine& line, Run& run, Diagnostics& diagnostics) {
    // A zone script may be checked or drawn too: the file tells which it is.
    std::optional<ZoneSource> source;
    if (line.preview || line.check || line.writeBaseline) {
        source = ReadZoneSource(path);
        if (source->file.problem.empty() && !source->isMap) {
            return CheckZoneScript(*source, line, run, diagnostics);
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

    const std::optional<Tuning> tuning = TuningFor(path, line, run, diagnostics);
    if (!tuning) return kFailed;
    LoadedZone map = LoadMap(source ? std::move(*source) : ReadZoneSource(path), run.templates);
    if (map.error) {
        diagnostics.Report(path, *map.error);
        return kFailed;
    }
    const Verdict verdict =
        Judge(ReportFindings(map.findings, path, *tuning, run.baselines(), diagnostics), line);
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
    Run run;
    if (line.baseline) {
        std::string problem;
        run.accepted = Baseline::Read(*line.baseline, problem);
        if (!problem.empty()) {
            ReportLoadError(*line.baseline, "cannot read the baseline: " + problem, diagnostics);
            return kFailed;
        }
    }
    if (line.writeBaseline) run.recording.emplace();
    int status = kOk;
    for (const std::string& path : line.maps) {
        if (Convert(path, line, run, diagnostics) != kOk) status = kFailed;
        std::fflush(nullptr);
    }
    if (line.writeBaseline &&
        !SaveReporting(*line.writeBaseline, run.recording->Text(), "the baseline", diagnostics)) {
        status = kFailed;
    }
    return status;
}
