#pragma once

// A team's settings of the findings, written once in a file that the maps in
// its folder and below it share, found from a map's folder upwards as
// .editorconfig files are; read alike by the command line and by Tiled's
// export (whose map goes beside the map's own file). One setting a line:
//
//   # the overlay layers blank the ground on purpose
//   layer-blanks-tiles = off
//   mob-number = error
//   root = true
//
// KIND = off, note, warning or error; "root = true" stops the search there.
// A nearer file's setting wins over a farther one's; the command line wins
// over both.

#include <map>
#include <string>
#include <vector>

#include "converter/findings/Finding.h"
#include "converter/findings/Tuning.h"

inline constexpr char kChecksFileName[] = ".velt-checks";

// A line of a checks file that says nothing the converter can take.
struct ChecksProblem {
    std::string path;  // the checks file
    Finding finding;   // config, at its line
};

class ChecksFiles {
  public:
    // The settings of the checks files above the map at `mapPath`, and what
    // is wrong in them. Each file is read once a run.
    Tuning For(const std::string& mapPath, std::vector<ChecksProblem>& problems);

  private:
    struct File {
        Tuning tuning;
        bool root = false;
        std::vector<ChecksProblem> problems;
    };
    const File* Read(const std::string& folder);

    std::map<std::string, File> files_;  // by folder; absent: the folder has none
    std::map<std::string, bool> looked_;
};
