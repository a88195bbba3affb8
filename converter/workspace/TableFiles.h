#pragma once

// The game's tables a team keeps beside its maps, as a spreadsheet saves them:
// tab-separated UTF-8 text whose first line that is no comment ("#") names
// the columns, in any order, case ignored (other columns are the team's own
// and passed over):
//
//   code   name         colour    walkable        number  name
//   16     grass        #4c9a2a   yes             245     Goblin Shaman
//
// The ground table needs "code" (0 to 255) and "name", and may say "colour"
// (#rrggbb) and "walkable" (yes or no); the mob table needs "number" and
// "name". Whatever a table holds that cannot be taken is a config error at
// its line, and the table is not used: never a guess.

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "converter/findings/Finding.h"
#include "converter/game/GameTables.h"

// What is wrong with a table, at its file (as named from the working folder)
// and line.
struct TableProblem {
    std::string path;
    Finding finding;  // config
};

// The tables of the text of files: the table, or none with its problems.
std::shared_ptr<const GroundTable> GroundTableOf(const std::string& path, std::string_view text,
                                                 std::vector<TableProblem>& problems);
std::shared_ptr<const MobTable> MobTableOf(const std::string& path, std::string_view text,
                                           std::vector<TableProblem>& problems);

// The tables of a run, each file read once whatever thread and however many
// maps ask for it.
class TableFiles {
  public:
    struct Read {
        GameTables tables;  // the one asked for, or none
        std::vector<TableProblem> problems;
        std::string unreadable;  // why the file cannot be read, where it cannot
    };
    Read Ground(const std::string& path);
    Read Mobs(const std::string& path);

  private:
    std::mutex mutex_;
    std::map<std::string, Read> ground_;
    std::map<std::string, Read> mobs_;
};
