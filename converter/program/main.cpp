// VeltTileConverter: turns Tiled maps into the game's zone scripts.
//
//   VeltTileConverter [OPTION]... MAP...   writes each MAP's zone script beside it
//   VeltTileConverter --diff OLD NEW       what changed from one zone to another
//   VeltTileConverter --describe FILE      a zone as stable text
//   VeltTileConverter --to-map ZONE.txt    the map that converts back to a zone script
//
// The command line chooses a mode (Modes.cpp), which runs; its exit status
// is the program's (Status.h).

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "converter/program/CommandLine.h"
#include "converter/program/Modes.h"
#include "converter/program/Status.h"
#include "platform/Files.h"
#include "platform/Process.h"

namespace {

constexpr char kBanner[] = "Velt Tiled Converter. Usage: VeltTileConverter (filename)\n";

constexpr char kHelp[] =
    "Usage: VeltTileConverter [OPTION]... MAP|FOLDER|WORLD|PROJECT...\n"
    "Converts each Tiled map (TMX or JSON) into the game's zone script, written\n"
    "beside it with the map's last four characters (\".json\": five) replaced by \".txt\".\n"
    "A folder converts every map beneath it, a Tiled world (.world) the maps it\n"
    "names, a Tiled project (.tiled-project) the maps in its folders.\n"
    "\n"
    "  -o, --output=PATH       write the zone script to PATH (\"-\": standard output);\n"
    "                          only with one map\n"
    "      --check             report findings, write nothing; fail on any warning;\n"
    "                          a zone script on disk that the map no longer gives\n"
    "                          is one (zone-script-stale)\n"
    "      --werror            treat warnings as errors: nothing is written\n"
    "  -Wno-KIND, -WKIND, -Werror=KIND, -Wno-error=KIND\n"
    "                          a kind of finding off, on, an error, or no error\n"
    "                          under --werror (over the .velt-checks files)\n"
    "      --baseline=FILE     report the findings FILE holds as notes\n"
    "      --write-baseline=FILE  record the findings in FILE; write nothing else\n"
    "  -j, --jobs=N            convert on N threads (default: one a processor);\n"
    "                          findings come in the maps' order all the same\n"
    "      --project=FILE      the Tiled project whose classes and enums the maps\n"
    "                          use (default: the nearest above each map)\n"
    "      --no-project        use no project\n"
    "      --diagnostics=FORM  findings as text (default) or json on standard error,\n"
    "                          as github workflow commands on standard output, or\n"
    "                          as one sarif log or gitlab codequality report of\n"
    "                          the run on standard output\n"
    "      --preview=FILE.png  also draw the zone as the game will build it (with\n"
    "                          --check: only draw it); given a zone script instead\n"
    "                          of a map, read it back and draw it; one map only\n"
    "      --preview-scale=N   pixels a cell in the picture (1 to 32, default 8)\n"
    "      --preview-whole-zone  draw all 128 x 128 cells, not only the zone's\n"
    "                          content (or change) and a block around it\n"
    "      --ground-art=FILE.png  draw the ground with the game's art: 16 by 16\n"
    "                          tiles, tile C the art of code C; =map: each map's\n"
    "                          own tiles, where the game keeps them\n"
    "      --ground-table=FILE  the game's ground kinds (code, name; colour,\n"
    "                          walkable), a tab-separated table, over the .velt-checks\n"
    "                          files' ground-table: names and colours for the codes\n"
    "      --mob-table=FILE    the game's mobs (number, name), likewise\n"
    "      --moves=4|8         where the ground table says what is walkable: how\n"
    "                          a player steps (default 8, diagonals too); over\n"
    "                          the .velt-checks files' moves\n"
    "      --preview-walk      in the picture: ground that is not walkable hatched,\n"
    "                          walkable cells no entry reaches tinted\n"
    "      --diff OLD NEW      print what changed from one zone to the other (each a\n"
    "                          map or a zone script), in the forms of --diagnostics;\n"
    "                          with --preview, draw both side by side, the changes\n"
    "                          marked; write nothing else\n"
    "      --preview-overlay   with --diff: draw the change over NEW in one picture\n"
    "      --describe FILE     print the zone of a map or zone script as stable text\n"
    "      --to-map ZONE.txt   write the Tiled map that converts back to the zone\n"
    "                          script (to ZONE.tmx, never over an existing file\n"
    "                          unless -o names it), its tileset's picture beside it\n"
    "                          (in the art of --ground-art, where given)\n"
    "      --make-tileset=DIR/NAME.tsx  write the designers' tileset and its picture\n"
    "                          (NAME.png): each tile the code its id gives, in the\n"
    "                          art of --ground-art (or its colour and number), named\n"
    "                          by the ground table; never over a file unless -o\n"
    "                          names it\n"
    "      --help              show this help and exit\n"
    "      --version           show the version and exit\n"
    "      --                  end of options: what follows is a map\n"
    "\n"
    "Exit status: 0 when every map converted (with --check: gave no warning),\n"
    "1 when any failed, 2 when the command line is wrong. With --diff, as diff's:\n"
    "0 the same zone, 1 a different one, 2 trouble.\n";

int Run(const std::vector<std::string>& arguments) {
    const CommandLine line = ParseCommandLine(arguments);
    if (!line.error.empty()) {
        std::fprintf(stderr, "VeltTileConverter: %s\nTry 'VeltTileConverter --help'.\n",
                     line.error.c_str());
        return kBadCommandLine;
    }
    if (line.banner) {
        std::printf("%s", kBanner);
        return kOk;
    }
    if (line.help) {
        std::printf("%s", kHelp);
        return kOk;
    }
    if (line.version) {
        std::printf("VeltTileConverter %s\n", VELT_VERSION);
        return kOk;
    }
    // A map can have thousands of findings: one write for each map's, not each line.
    std::setvbuf(stderr, nullptr, _IOFBF, 1 << 16);
    Diagnostics diagnostics(line.form);
    const int status = ModeOf(line.mode).run(line, diagnostics);
    diagnostics.Finish({VELT_VERSION, platform::FullFolderOf("here")});
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        platform::PrepareStandardStreams();
        return Run(platform::Arguments(argc, argv));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "VeltTileConverter: %s\n", error.what());
        return kFailed;
    }
}
