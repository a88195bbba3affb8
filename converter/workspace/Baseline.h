#pragma once

// A baseline: the findings a team accepts as they are today, so that a build
// fails on the new ones alone, each held by its key (FindingKey.h). A text
// file, one finding a line, sorted:
//
//   maps/town.tmx<TAB>layer-blanks-tiles<TAB>layer "Decor/Overlay"
//
// Maps are named as the command line names them.

#include <map>
#include <mutex>
#include <string>

#include "converter/findings/Finding.h"

class Baseline {
  public:
    Baseline() = default;
    Baseline(const Baseline& other) : entries_(other.entries_) {}

    // The baseline at `path`; `problem` says why it cannot be read.
    static Baseline Read(const std::string& path, std::string& problem);

    // Whether the baseline holds `finding` of the map at `mapPath` (each of
    // its entries holds one finding).
    bool Holds(const std::string& mapPath, const Finding& finding);
    // Adds `finding` of the map at `mapPath`.
    void Record(const std::string& mapPath, const Finding& finding);
    // The file's text.
    std::string Text() const;

  private:
    std::mutex mutex_;                    // the maps of a run, on their threads
    std::map<std::string, int> entries_;  // key, how many
};
