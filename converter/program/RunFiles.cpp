#include "converter/program/RunFiles.h"

#include <cstdio>

#include "converter/program/Output.h"
#include "converter/program/Status.h"

std::optional<Projects> ProjectsOf(const CommandLine& line, Diagnostics& diagnostics) {
    Projects projects(!line.noProject);
    if (!line.project) return projects;
    if (const std::string problem = projects.Use(*line.project); !problem.empty()) {
        ReportLoadError(*line.project, "cannot read the project: " + problem, diagnostics);
        return std::nullopt;
    }
    return projects;
}

namespace {

void Report(const std::vector<TableProblem>& problems, Diagnostics& diagnostics) {
    for (const TableProblem& problem : problems)
        diagnostics.Report(problem.path, problem.finding);
}

// A table by its setting: where it cannot be read, a config error at the
// setting; what it holds that cannot be taken, at its lines. Whether it can
// be used.
bool TableOf(const FileSetting& setting, bool ground, TableFiles& files, GameTables& tables,
             Diagnostics& diagnostics) {
    const TableFiles::Read read = ground ? files.Ground(setting.path) : files.Mobs(setting.path);
    if (!read.unreadable.empty()) {
        diagnostics.Report(setting.checksFile,
                           FindingOf(finding::Config{std::string("cannot read the ") +
                                                     (ground ? "ground" : "mob") + " table " +
                                                     Quoted(setting.path) + ": " + read.unreadable},
                                     {setting.line, 1}));
        return false;
    }
    Report(read.problems, diagnostics);
    if (!read.problems.empty()) return false;
    if (ground) {
        tables.ground = read.tables.ground;
    } else {
        tables.mobs = read.tables.mobs;
    }
    return true;
}

}  // namespace

int ReadCommandLineTables(const CommandLine& line, TableFiles& tables, Diagnostics& diagnostics) {
    int status = kOk;
    for (const auto& [option, path] :
         {std::pair{"--ground-table", line.groundTable}, {"--mob-table", line.mobTable}}) {
        if (!path) continue;
        const bool ground = option == std::string("--ground-table");
        const TableFiles::Read read = ground ? tables.Ground(*path) : tables.Mobs(*path);
        if (!read.unreadable.empty()) {
            diagnostics.Print(Stream::Err, std::string("VeltTileConverter: ") + option +
                                               ": cannot read " + Quoted(*path) + ": " +
                                               read.unreadable +
                                               "\nTry 'VeltTileConverter --help'.\n");
            return kBadCommandLine;
        }
        Report(read.problems, diagnostics);
        if (!read.problems.empty()) status = kFailed;
    }
    return status;
}

std::optional<FileSettings> SettingsFor(const std::string& path, const CommandLine& line,
                                        ChecksFiles& checks, TableFiles& tables,
                                        Diagnostics& diagnostics) {
    std::vector<ChecksProblem> problems;
    Settings found = checks.For(path, problems);
    for (const ChecksProblem& problem : problems)
        diagnostics.Report(problem.path, problem.finding);
    if (!problems.empty()) return std::nullopt;
    FileSettings settings{Tuning::Over(found.tuning, line.tuning), {}};
    // The command line's tables, read already, over the checks files'.
    if (line.groundTable) found.groundTable = FileSetting{*line.groundTable, "", 0};
    if (line.mobTable) found.mobTable = FileSetting{*line.mobTable, "", 0};
    // Each table's faults, whatever the other's.
    const bool ground = !found.groundTable ||
                        TableOf(*found.groundTable, true, tables, settings.tables, diagnostics);
    const bool mobs =
        !found.mobTable || TableOf(*found.mobTable, false, tables, settings.tables, diagnostics);
    if (!ground || !mobs) return std::nullopt;
    settings.tables.moves = line.moves.value_or(found.moves.value_or(Moves::Eight));
    return settings;
}
