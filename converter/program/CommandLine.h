#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "converter/findings/Diagnostics.h"
#include "converter/findings/Tuning.h"
#include "converter/game/GameTables.h"
#include "converter/review/ZonePicture.h"

// What the program is asked to do: convert maps, or one of the modes an
// option chooses (see Modes.h for what each needs and how it runs).
enum class ModeKind { Convert, Diff, Describe, ToMap, MakeTileset };

// What the command line asks for. Options may stand anywhere before "--",
// in the usual GNU forms (-o PATH, -oPATH, --output=PATH, --output PATH).
struct CommandLine {
    bool banner = false;                       // no argument, or "-h"
    bool help = false;                         // --help
    bool version = false;                      // --version
    ModeKind mode = ModeKind::Convert;         // the last one an option chose
    bool modesClash = false;                   // options chose two modes
    bool check = false;                        // --check: report, write nothing
    bool werror = false;                       // --werror: a warning fails the run
    Tuning tuning;                             // -W options, --werror
    std::optional<std::string> baseline;       // --baseline: the findings accepted
    std::optional<std::string> writeBaseline;  // --write-baseline: record them there
    DiagnosticsForm form = DiagnosticsForm::Text;
    std::optional<std::string> output;            // -o; "-" is standard output
    std::optional<std::string> preview;           // --preview: the PNG of the zone
    int32_t previewScale = kDefaultPictureScale;  // --preview-scale: pixels a cell
    bool previewWholeZone = false;                // --preview-whole-zone: not cropped
    bool previewOverlay = false;                  // --preview-overlay: a change in one picture
    std::optional<std::string> groundArt;         // --ground-art: the ground's tiles
    int32_t jobs = 0;                             // -j: threads converting maps; 0: one a processor
    std::optional<std::string> project;           // --project: the maps' Tiled project
    bool noProject = false;                       // --no-project: none found either
    std::optional<std::string> groundTable;       // --ground-table: the ground kinds' names
    std::optional<std::string> mobTable;          // --mob-table: the mobs' names
    std::optional<std::string> makeTileset;       // --make-tileset: the tileset to write
    std::optional<Moves> moves;                   // --moves: how players step
    bool previewWalk = false;                     // --preview-walk: where players walk
    std::vector<std::string> maps;
    std::string error;  // what is wrong with the command line; empty when nothing
};

CommandLine ParseCommandLine(const std::vector<std::string>& arguments);
