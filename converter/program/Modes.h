#pragma once

// The program's modes, from one table: the option that chooses each, what it
// needs of the command line, and how it runs. main() parses the command line
// and runs the mode it chose.

#include <span>
#include <string>

#include "converter/findings/Diagnostics.h"
#include "converter/program/CommandLine.h"

struct Mode {
    ModeKind kind;
    const char* option;  // "" for converting maps, which no option chooses
    // What it cannot take of a command line that chose it, in words; "" for
    // nothing.
    std::string (*refusal)(const CommandLine& line);
    // Runs it: the exit status.
    int (*run)(const CommandLine& line, Diagnostics& diagnostics);
};

std::span<const Mode> Modes();
const Mode& ModeOf(ModeKind kind);
