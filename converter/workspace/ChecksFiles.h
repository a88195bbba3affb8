#pragma once

// A team's settings of the findings, written once in a file that the maps in
// its folder and below it share, found from a map's folder upwards as
// .editorconfig files are; read alike by the command line and by Tiled's
// export (whose map goes beside the map's own file). One setting a line:
//
//   # the overlay layers blank the ground on purpose
//   layer-blanks-tiles = off
//   mob-number = error
//   ground-table = ../game/ground.tsv
//   mob-table = ../game/mobs.tsv
//   moves = 4
//   root = true
//
// KIND = off, note, warning or error; the game's tables by their files,
// named from the checks file's folder; how players step (moves = 4 or 8);
// "root = true" stops the search there.
// A nearer file's setting wins over a farther one's; the command line wins
// over both.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "converter/findings/Finding.h"
#include "converter/findings/Tuning.h"
#include "converter/game/GameTables.h"

inline constexpr char kChecksFileName[] = ".velt-checks";

// A line of a checks file that says nothing the converter can take.
struct ChecksProblem {
    std::string path;  // the checks file
    Finding finding;   // config, at its line
};

// A setting that names a file: the file as a path names it from the working
// folder, and where the setting stands.
struct FileSetting {
    std::string path;
    std::string checksFile;  // as named from the working folder
    int32_t line = 0;
};

// What the checks files above a map say of it.
struct Settings {
    Tuning tuning;
    std::optional<FileSetting> groundTable;
    std::optional<FileSetting> mobTable;
    std::optional<Moves> moves;
};

class ChecksFiles {
  public:
    // The settings of the checks files above the map at `mapPath`, and what
    // is wrong in them. Each file is read once a run.
    Settings For(const std::string& mapPath, std::vector<ChecksProblem>& problems);

  private:
    struct File {
        Settings settings;
        bool root = false;
        std::vector<ChecksProblem> problems;
    };
    const File* Read(const std::string& folder);

    std::map<std::string, File> files_;  // by folder; absent: the folder has none
    std::map<std::string, bool> looked_;
};
