// Converting maps: each map's zone script beside it (or where -o names it),
// and with --preview its picture.

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "converter/program/InOrder.h"
#include "converter/program/MapFailure.h"
#include "converter/program/Modes.h"
#include "converter/program/Output.h"
#include "converter/program/Pictures.h"
#include "converter/program/RunFiles.h"
#include "converter/program/Runs.h"
#include "converter/program/Status.h"
#include "converter/program/ZoneOnDisk.h"
#include "converter/program/ZoneSource.h"
#include "converter/review/ZonePicture.h"
#include "converter/workspace/Baseline.h"
#include "converter/workspace/Batch.h"
#include "converter/workspace/ChecksFiles.h"
#include "converter/zone/ZoneReader.h"
#include "converter/zone/ZoneTables.h"
#include "converter/zone/ZoneWriter.h"
#include "platform/Files.h"
#include "platform/Process.h"
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

// What all the maps of a run share, on every thread.
struct Shared {
    std::optional<Baseline> accepted;
    std::optional<Baseline> recording;
    TableFiles tables;  // each read once
};

// What the maps one thread converts share.
struct Run {
    Run(Shared& all, const Projects& chosen) : projects(chosen), shared(&all) {}

    tmx::TmxTemplates templates;  // each read once
    ChecksFiles checks;           // each read once
    Projects projects;            // each read once
    Repositories repositories;    // each folder's found once
    Shared* shared;

    std::optional<FileSettings> SettingsOf(const std::string& path, const CommandLine& line,
                                           Diagnostics& diagnostics) {
        return SettingsFor(path, line, checks, shared->tables, diagnostics);
    }
    Baselines baselines() {
        return {shared->accepted ? &*shared->accepted : nullptr,
                shared->recording ? &*shared->recording : nullptr};
    }
};

// A zone script given to --check or --preview: read back, its findings
// reported, and drawn; nothing else written.
int CheckZoneScript(const ZoneSource& source, const CommandLine& line, Run& run,
                    Diagnostics& diagnostics) {
    ZoneRead read = ReadZoneScript(source.text());
    if (read.linesRead == 0) {
        ReportLoadError(source.path, kNotAZoneScript, diagnostics);
        return kFailed;
    }
    const std::optional<FileSettings> settings = run.SettingsOf(source.path, line, diagnostics);
    if (!settings) return kFailed;
    Findings unlisted = TableFindings(read.zone, settings->tables);
    read.findings.insert(read.findings.end(), std::make_move_iterator(unlisted.begin()),
                         std::make_move_iterator(unlisted.end()));
    const Verdict verdict = Judge(
        ReportFindings(read.findings, source.path, settings->tuning, run.baselines(), diagnostics),
        line);
    if (verdict.writes == Verdict::Writes::Nothing || !line.preview) return verdict.status;
    Pictures pictures(line);
    const GroundArt* art = pictures.ArtOf(source.path, nullptr, diagnostics);
    if (!SavePicture(*line.preview,
                     DrawZonePicture(read.zone, pictures.Options(art, nullptr, &settings->tables)),
                     diagnostics)) {
        return kFailed;
    }
    return verdict.status;
}

// What became of one map.
struct MapResult {
    int status = kOk;
    bool warned = false;      // a warning was reported (and no error)
    bool failed = false;      // it could not be used, or an error was reported
    bool written = false;     // its zone script was written
    bool passedOver = false;  // JSON found in a folder that is no map
};

MapResult Failed() {
    return {kFailed, false, true, false, false};
}

// What the findings came to, before anything is written.
MapResult Judged(const Outcome& outcome, const Verdict& verdict) {
    const bool failed = outcome.failed || outcome.refused;
    return {verdict.status, outcome.warned && !failed, failed, false, false};
}

MapResult Convert(const MapToConvert& given, const CommandLine& line, Run& run,
                  Diagnostics& diagnostics) {
    const std::string& path = given.path;
    // A zone script may be checked or drawn too: the file tells which it is.
    std::optional<ZoneSource> source;
    if (line.preview || line.check || line.writeBaseline) {
        source = ReadZoneSource(path);
        if (source->file.problem.empty() && !source->isMap) {
            const int status = CheckZoneScript(*source, line, run, diagnostics);
            return {status, false, status != kOk, false, false};
        }
    }
    if (path.size() >= 1000) {
        ReportLoadError(
            path.substr(0, 40) + "...",
            "the path is too long (" + std::to_string(path.size()) + " characters, at most 999)",
            diagnostics);
        return Failed();
    }
    const std::string output = line.output.value_or(OutputNameFor(path));
    if (output == path) {
        ReportLoadError(path, "the map would be overwritten by its zone script", diagnostics);
        return Failed();
    }

    const std::optional<FileSettings> settings = run.SettingsOf(path, line, diagnostics);
    if (!settings) return Failed();
    Pictures pictures(line);
    LoadedZone map =
        LoadMap(source ? std::move(*source) : ReadZoneSource(path), run.templates, run.projects,
                pictures.WantsMapArt(), &run.repositories, &settings->tables);
    if (map.error && map.notAMap && given.found) return {kOk, false, false, false, true};
    if (map.error) {
        diagnostics.Report(path, *map.error);
        return Failed();
    }
    std::string bytes = WriteZoneScript(map.zone);
    // A check also finds the zone script a build keeps beside the map stale.
    if (line.check && output != "-") {
        if (std::optional<Finding> onDisk = CompareWithDisk(output, map.zone, bytes, map.at)) {
            map.findings.push_back(std::move(*onDisk));
        }
    }
    const Outcome outcome =
        ReportFindings(map.findings, path, settings->tuning, run.baselines(), diagnostics);
    const Verdict verdict = Judge(outcome, line);
    MapResult result = Judged(outcome, verdict);
    if (verdict.writes == Verdict::Writes::Nothing) return result;
    if (line.preview) {
        const GroundArt* art = pictures.ArtOf(path, &map, diagnostics);
        if (!SavePicture(
                *line.preview,
                DrawZonePicture(map.zone, pictures.Options(art, nullptr, &settings->tables)),
                diagnostics)) {
            return Failed();
        }
    }
    if (verdict.writes == Verdict::Writes::PictureOnly) return result;
    if (!SaveZoneScript(output, bytes, diagnostics)) return Failed();
    result.written = true;
    return result;
}

// The progress of a long batch on a terminal, one line redrawn: never in a
// pipe or a log, and only once a batch has taken a second.
class Progress {
  public:
    explicit Progress(size_t total) : total_(total), shown_(platform::ErrorIsTerminal()) {}

    void Show(size_t done, size_t failed) {
        if (!shown_ || total_ < 2 || Clock::now() - started_ < std::chrono::seconds(1)) return;
        const std::string line = "VeltTileConverter: " + std::to_string(done) + " of " +
                                 std::to_string(total_) + " maps, " + std::to_string(failed) +
                                 " failed";
        std::fprintf(stderr, "\r%s", line.c_str());
        std::fflush(stderr);
        width_ = std::max(width_, line.size());
    }
    // Gone before anything else is printed.
    void Clear() {
        if (width_ == 0) return;
        std::fprintf(stderr, "\r%s\r", std::string(width_, ' ').c_str());
        std::fflush(stderr);
        width_ = 0;
    }

  private:
    using Clock = std::chrono::steady_clock;
    size_t total_;
    bool shown_;
    Clock::time_point started_ = Clock::now();
    size_t width_ = 0;
};

// What became of a batch's maps: every zone script written counts as
// written, those with warnings among them; a check writes none.
std::string Total(size_t maps, size_t written, size_t warned, size_t failed, bool checked) {
    const std::string count = std::to_string(maps) + " maps";
    if (checked) {
        return count + " checked: " + std::to_string(maps - warned - failed) + " clean, " +
               std::to_string(warned) + " with warnings, " + std::to_string(failed) + " failed";
    }
    return count + ": " + std::to_string(written) + " zone scripts written, " +
           std::to_string(warned) + " of them with warnings, " + std::to_string(failed) + " failed";
}

// The threads a run uses where -j does not say: one a processor, as each
// map's conversion is work for a processor alone.
int DefaultJobs() {
    return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

}  // namespace

int RunConvert(const CommandLine& line, Diagnostics& diagnostics) {
    const Batch batch = ExpandArguments(line.maps);
    for (const BatchProblem& problem : batch.problems)
        diagnostics.Report(problem.path, problem.finding);
    // -o and --preview name one file: a folder, world or project may give more maps.
    CommandLine expanded = line;
    expanded.maps.clear();
    for (const MapToConvert& map : batch.maps)
        expanded.maps.push_back(map.path);
    if (const std::string refusal = ModeOf(ModeKind::Convert).refusal(expanded);
        batch.expanded && !batch.maps.empty() && !refusal.empty()) {
        diagnostics.Print(Stream::Err,
                          "VeltTileConverter: " + refusal + "\nTry 'VeltTileConverter --help'.\n");
        return kBadCommandLine;
    }
    Shared shared;
    if (line.baseline) {
        std::string problem;
        shared.accepted.emplace(Baseline::Read(*line.baseline, problem));
        if (!problem.empty()) {
            ReportLoadError(*line.baseline, "cannot read the baseline: " + problem, diagnostics);
            return kFailed;
        }
    }
    if (line.writeBaseline) shared.recording.emplace();
    const std::optional<Projects> projects = ProjectsOf(line, diagnostics);
    if (!projects) return kFailed;
    if (const int status = ReadCommandLineTables(line, shared.tables, diagnostics); status != kOk) {
        return status;
    }

    // Each map's findings held until the maps before it are printed; each
    // thread with its own templates and checks files read.
    const int jobs = line.jobs > 0 ? line.jobs : DefaultJobs();
    const size_t count = batch.maps.size();
    if (count > 1) platform::KeepFreedMemory();
    const bool holding = jobs > 1 && count > 1;
    std::vector<MapResult> results(count);
    std::vector<Diagnostics> held(holding ? count : 0, Diagnostics(diagnostics.form()));
    std::mutex runsMutex;
    std::map<std::thread::id, Run> runs;
    const auto runOfThisThread = [&]() -> Run& {
        const std::lock_guard<std::mutex> lock(runsMutex);
        return runs.try_emplace(std::this_thread::get_id(), shared, *projects).first->second;
    };
    Progress progress(count);
    size_t done = 0;
    size_t failed = 0;
    size_t warned = 0;
    size_t written = 0;
    size_t passedOver = 0;
    InOrder(
        count, jobs,
        [&](size_t i) {
            Diagnostics& own = holding ? held[i] : diagnostics;
            if (holding) own.Hold();
            if (!FailsAlone(batch.maps[i].path, own, [&] {
                    results[i] = Convert(batch.maps[i], line, runOfThisThread(), own);
                })) {
                results[i] = {kFailed};
            }
            if (!holding) std::fflush(nullptr);
        },
        [&](size_t i) {
            progress.Clear();
            if (holding) {
                held[i].Flush(diagnostics);
                std::fflush(nullptr);
            }
            ++done;
            failed += results[i].failed;
            warned += results[i].warned;
            written += results[i].written;
            passedOver += results[i].passedOver;
            progress.Show(done, failed);
        },
        [&](size_t finished) { progress.Show(finished, failed); });
    progress.Clear();

    const bool anyFailed = std::any_of(results.begin(), results.end(), [](const MapResult& result) {
        return result.status != kOk;
    });
    int status = batch.problems.empty() && !anyFailed ? kOk : kFailed;
    if (line.writeBaseline && !SaveReporting(*line.writeBaseline, shared.recording->Text(),
                                             "the baseline", diagnostics)) {
        status = kFailed;
    }
    // A batch of several maps ends with what became of them.
    const size_t maps = count - passedOver;
    if (batch.expanded && maps > 1 && diagnostics.form() == DiagnosticsForm::Text) {
        diagnostics.Print(
            Stream::Err,
            "VeltTileConverter: " +
                Total(maps, written, warned, failed, line.check || line.writeBaseline) + "\n");
    }
    return status;
}
