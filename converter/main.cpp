// VeltTileConverter: turns one Tiled map (TMX) into the game's zone script.
//
//   VeltTileConverter map.tmx   writes map.txt beside the map
//
// Exit status 0: the zone script was written, or the usage banner was asked
// for. 1: nothing was written; a message says why.

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "AtomicSave.h"
#include "TmxMap.h"
#include "ZoneExports.h"
#include "ZoneScript.h"

namespace {

constexpr int kOk = 0;
constexpr int kFailed = 1;

// The game's tools have always named a zone script after its map by swapping
// the last four characters (".tmx") for ".txt", whatever they are.
std::string OutputNameFor(const std::string& argument) {
    const size_t keep = argument.size() < 4 ? argument.size() : argument.size() - 4;
    return argument.substr(0, keep) + ".txt";
}

int Run(int argc, char** argv) {
    tmx::TmxMap map;
    const std::string argument = argc > 1 ? argv[1] : "";
    if (argc < 2 || argument == "-h") {
        std::printf("Velt Tiled Converter. Usage: VeltTileConverter (filename)\n");
        return kOk;
    }
    if (argument.size() >= 1000) {
        std::fprintf(stderr,
                     "VeltTileConverter: the path is too long (%zu characters, at most 999)\n",
                     argument.size());
        return kFailed;
    }
    const std::string outputName = OutputNameFor(argument);
    if (outputName == argument) {
        std::fprintf(stderr,
                     "VeltTileConverter: [%s] would be overwritten by its own zone script\n",
                     argument.c_str());
        return kFailed;
    }

    map.LoadFromFile(argument);
    if (map.failed()) {
        std::fprintf(stderr, "VeltTileConverter: cannot load map [%s]: %s\n", argument.c_str(),
                     map.errorMessage().c_str());
        return kFailed;
    }

    ZoneScript script;
    ExportMapProperties(map, script);
    const std::vector<std::string> warnings = ExportTileLayers(map, script);
    ExportObjectGroups(map, script);
    for (const std::string& warning : warnings) {
        std::fprintf(stderr, "VeltTileConverter: warning: %s\n", warning.c_str());
    }

    const SaveError saved = SaveAtomically(outputName, script.bytes());
    switch (saved.step) {
        case SaveError::Step::None:
            return kOk;
        case SaveError::Step::Open:
            std::printf("Failed to open file [%s] for write.\n", outputName.c_str());
            return kFailed;
        case SaveError::Step::Write:
        case SaveError::Step::Replace:
            std::fprintf(stderr, "VeltTileConverter: failed to write [%s]: %s\n",
                         outputName.c_str(), std::strerror(saved.error));
            return kFailed;
    }
    return kFailed;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "VeltTileConverter: %s\n", error.what());
        return kFailed;
    }
}
