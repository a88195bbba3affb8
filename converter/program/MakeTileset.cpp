// --make-tileset=DIR/NAME.tsx: the designers' tileset made from the game's
// art (--ground-art=ATLAS.png) and its ground table: tile i the art (or the
// colour and number) of the code local id i gives, as the kit's tileset, so
// that a map painted with either converts alike; each tile the table names
// carries its name. Its picture, NAME.png, beside it. Never over an existing
// file unless -o names the tileset.

#include <optional>
#include <string>

#include "converter/picture/GroundCodesTileset.h"
#include "converter/program/Output.h"
#include "converter/program/Pictures.h"
#include "converter/program/RunFiles.h"
#include "converter/program/Runs.h"
#include "converter/program/Status.h"
#include "platform/Files.h"

namespace {

// NAME.tsx's picture, NAME.png; its name, NAME.
std::string WithoutTsx(const std::string& path) {
    const std::string tsx = ".tsx";
    const bool isTsx =
        path.size() > tsx.size() && path.compare(path.size() - tsx.size(), tsx.size(), tsx) == 0;
    return isTsx ? path.substr(0, path.size() - tsx.size()) : path;
}

}  // namespace

int RunMakeTileset(const CommandLine& line, Diagnostics& diagnostics) {
    const std::string tileset = line.output.value_or(*line.makeTileset);
    const std::string picture = WithoutTsx(tileset) + ".png";
    for (const std::string& path : {tileset, picture}) {
        if (!line.output && platform::Exists(path)) {
            ReportWriteError(path,
                             "the file is there already; name the tileset with -o to replace it",
                             diagnostics);
            return kFailed;
        }
    }
    TableFiles tables;
    if (const int status = ReadCommandLineTables(line, tables, diagnostics); status != kOk) {
        return status;
    }
    ChecksFiles checks;
    const std::optional<FileSettings> settings =
        SettingsFor(tileset, line, checks, tables, diagnostics);
    if (!settings) return kFailed;
    std::optional<GroundAtlas> atlas;
    if (line.groundArt && !(atlas = AtlasFor(*line.groundArt, diagnostics))) return kFailed;
    const GroundTable* ground = settings->tables.ground.get();
    const std::string name = WithoutTsx(tileset.substr(tileset.find_last_of("/\\") + 1));
    const std::string imageName = picture.substr(picture.find_last_of("/\\") + 1);
    // The picture first: a tileset never names a picture that is not there.
    if (!SavePicture(picture, DrawGroundCodesTileset(ground, atlas ? &*atlas : nullptr),
                     diagnostics)) {
        return kFailed;
    }
    return SaveReporting(tileset, GroundCodesTsx(name, imageName, ground), "the tileset",
                         diagnostics)
               ? kOk
               : kFailed;
}
