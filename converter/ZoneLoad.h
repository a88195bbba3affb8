#pragma once

#include <string>
#include <string_view>

#include "Finding.h"
#include "ZoneContent.h"
#include "tmx/read/TmxTemplate.h"

// Whether a file's text is a map rather than a zone script: a map starts
// with "<" (TMX) or "{" (JSON), a zone script never does.
bool IsMapText(std::string_view text);

// Why a file that is no map is no zone script either: not one of its lines
// is one the game reads.
inline constexpr char kNotAZoneScript[] =
    "this is neither a map nor a zone script: not one of its lines is a line the game reads";

// A zone read from a file, whichever form it has: a map (TMX or JSON, with
// its tilesets and templates) converted in memory, or a zone script read back.
struct LoadedZone {
    ZoneContent content;
    Findings findings;  // what the map's conversion or the reading found
    std::string error;  // why the file could not be read; empty when it was
    tmx::TmxLocation errorAt;
};

LoadedZone LoadZone(const std::string& path, tmx::TmxTemplates& templates);
