#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Diagnostics.h"
#include "ZonePreview.h"

// What the command line asks for. Options may stand anywhere before "--",
// in the usual GNU forms (-o PATH, -oPATH, --output=PATH, --output PATH).
struct CommandLine {
    bool banner = false;    // no argument, or "-h"
    bool help = false;      // --help
    bool version = false;   // --version
    bool check = false;     // --check: report, write nothing
    bool werror = false;    // --werror: a warning fails the run
    bool diff = false;      // --diff OLD NEW: the changes from one zone to the other
    bool describe = false;  // --describe FILE: the zone as stable text
    bool toMap = false;     // --to-map ZONE: the map that converts back to it
    DiagnosticsForm form = DiagnosticsForm::Text;
    std::optional<std::string> output;            // -o; "-" is standard output
    std::optional<std::string> preview;           // --preview: the PNG of the zone
    int32_t previewScale = kDefaultPreviewScale;  // --preview-scale: pixels a cell
    std::vector<std::string> maps;
    std::string error;  // what is wrong with the command line; empty when nothing
};

CommandLine ParseCommandLine(const std::vector<std::string>& arguments);
