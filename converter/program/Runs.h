#pragma once

// How each mode runs (the table in Modes.cpp names them): each returns the
// exit status.

#include "converter/findings/Diagnostics.h"
#include "converter/program/CommandLine.h"

// The maps converted, each to its zone script (ConvertMaps.cpp).
int RunConvert(const CommandLine& line, Diagnostics& diagnostics);
// --diff and --describe (ReviewZones.cpp).
int RunDiff(const CommandLine& line, Diagnostics& diagnostics);
int RunDescribe(const CommandLine& line, Diagnostics& diagnostics);
// --to-map (ZoneScriptToMap.cpp).
int RunToMap(const CommandLine& line, Diagnostics& diagnostics);
// --make-tileset (MakeTileset.cpp).
int RunMakeTileset(const CommandLine& line, Diagnostics& diagnostics);
