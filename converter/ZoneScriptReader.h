#pragma once

#include <string_view>

#include "Finding.h"
#include "ZoneContent.h"

// A zone script read back, as the game reads it: what it says, and a finding
// (zone-line, zone-number, zone-block) at the line of whatever it does not
// understand. What it understands is kept, whatever else is wrong.
// `linesRead`, where given, counts the lines the game reads (directives it
// understands, and empty lines ended as the writer ends them): text with
// none is no zone script.
ZoneContent ReadZoneScript(std::string_view bytes, Findings& findings,
                           int32_t* linesRead = nullptr);
