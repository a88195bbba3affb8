#pragma once

// What a run takes of the files around its maps, under what its command line
// says: the Tiled project every map uses; each file's settings (its checks
// files' tuning under the command line's) and the game's tables that name
// its codes and mobs.

#include <optional>
#include <string>

#include "converter/findings/Diagnostics.h"
#include "converter/findings/Tuning.h"
#include "converter/game/GameTables.h"
#include "converter/program/CommandLine.h"
#include "converter/workspace/ChecksFiles.h"
#include "converter/workspace/Projects.h"
#include "converter/workspace/TableFiles.h"

// The projects the maps use: the one --project names (none where it cannot be
// read, which is reported), or each map's nearest (none with --no-project).
std::optional<Projects> ProjectsOf(const CommandLine& line, Diagnostics& diagnostics);

// The tables the command line names, read before any map: kOk; kBadCommandLine
// where one cannot be read (said as the command line's error); kFailed where
// one holds what cannot be taken (reported at its lines).
int ReadCommandLineTables(const CommandLine& line, TableFiles& tables, Diagnostics& diagnostics);

// What a file is converted, checked or shown with.
struct FileSettings {
    Tuning tuning;
    GameTables tables;
};

// The settings of the file at `path`: its checks files', the command line's
// over them. None, with what is wrong reported, where they cannot be used (a
// checks file's line, a table named that cannot be read or taken).
std::optional<FileSettings> SettingsFor(const std::string& path, const CommandLine& line,
                                        ChecksFiles& checks, TableFiles& tables,
                                        Diagnostics& diagnostics);
