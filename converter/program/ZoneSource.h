#pragma once

// A file given to the program, read once, and the zone it holds whichever
// form it has: a map (TMX or JSON, with its tilesets and templates) converted
// in memory, or a zone script read back.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "converter/findings/Finding.h"
#include "converter/game/GameTables.h"
#include "converter/program/MapArt.h"
#include "converter/workspace/FileReferences.h"
#include "converter/workspace/Projects.h"
#include "converter/zone/Zone.h"
#include "platform/FileText.h"
#include "tmx/read/TmxTemplate.h"

// Why a file that is no map is no zone script either.
inline constexpr char kNotAZoneScript[] =
    "this is neither a map nor a zone script: not one of its lines is a line the game reads";

struct ZoneSource {
    std::string path;
    platform::FileText file;  // the text and the map loader's padding, or why not
    bool isMap = false;       // the text starts with "<" (TMX) or "{" (JSON)

    std::string_view text() const;  // without the padding
};

ZoneSource ReadZoneSource(const std::string& path);

// The zone of a source, and what its conversion or reading found; or why it
// could not be read, as a load error at its place.
struct LoadedZone {
    Zone zone;
    Findings findings;
    tmx::TmxLocation at;  // a map's own place in its text
    std::optional<Finding> error;
    bool notAMap = false;  // the error: a document of another kind
    // A map's ground in its own tiles, where asked for; the images that
    // could not be used for it.
    std::unique_ptr<TileArt> art;
    std::vector<ArtProblem> artProblems;
};

// A map's class and custom types take their project from `projects`. With
// `withArt`, a map's tilesets' images are read for its picture.
// With `tables`, what they do not list is findings too.
LoadedZone LoadZone(ZoneSource source, tmx::TmxTemplates& templates, Projects& projects,
                    bool withArt, const GameTables* tables);

// The same for a map alone: a source that is no map is loaded as one, and
// fails as one. With `repositories`, the files it names that others will
// not have are findings too (FileReferences.h).
LoadedZone LoadMap(ZoneSource source, tmx::TmxTemplates& templates, Projects& projects,
                   bool withArt = false, Repositories* repositories = nullptr,
                   const GameTables* tables = nullptr);
