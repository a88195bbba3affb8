// VeltTileConverter: turns Tiled maps into the game's zone scripts.
//
//   VeltTileConverter [OPTION]... MAP...   writes each MAP's zone script beside it
//   VeltTileConverter --diff OLD NEW       what changed from one zone to another
//   VeltTileConverter --describe FILE      a zone as stable text
//   VeltTileConverter --to-map ZONE.txt    the map that converts back to a zone script
//
// Exit status 0: every zone script was written (or, with --check, every map
// is clean), or the usage was asked for. 1: a map failed; for it nothing was
// written. 2: the command line is wrong; nothing was done. --diff gives
// diff's statuses: 0 the same zone, 1 another, 2 trouble.

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include <unistd.h>

#include "CommandLine.h"
#include "Diagnostics.h"
#include "SaveOutput.h"
#include "ZoneChangeText.h"
#include "ZoneDescribe.h"
#include "ZoneDiff.h"
#include "ZoneExports.h"
#include "ZoneLoad.h"
#include "ZonePreview.h"
#include "ZoneScript.h"
#include "ZoneScriptReader.h"
#include "ZoneToMap.h"
#include "tmx/decode/TmxFileText.h"
#include "tmx/model/TmxMap.h"
#include "tmx/read/TmxTemplate.h"

namespace {

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kBadCommandLine = 2;

constexpr char kBanner[] = "Velt Tiled Converter. Usage: VeltTileConverter (filename)\n";

constexpr char kHelp[] =
    "Usage: VeltTileConverter [OPTION]... MAP...\n"
    "Converts each Tiled map (TMX or JSON) into the game's zone script, written\n"
    "beside it with the map's last four characters (\".json\": five) replaced by \".txt\".\n"
    "\n"
    "  -o, --output=PATH       write the zone script to PATH (\"-\": standard output);\n"
    "                          only with one map\n"
    "      --check             report findings, write nothing; fail on any warning\n"
    "      --werror            treat warnings as errors: nothing is written\n"
    "      --diagnostics=FORM  findings as text (default) or json on standard error,\n"
    "                          or as github workflow commands on standard output\n"
    "      --preview=FILE.png  also draw the zone as the game will build it (with\n"
    "                          --check: only draw it); given a zone script instead\n"
    "                          of a map, read it back and draw it; one map only\n"
    "      --preview-scale=N   pixels a cell in the picture (1 to 32, default 8)\n"
    "      --diff OLD NEW      print what changed from one zone to the other (each a\n"
    "                          map or a zone script), in the forms of --diagnostics;\n"
    "                          with --preview, draw the change; write nothing else\n"
    "      --describe FILE     print the zone of a map or zone script as stable text\n"
    "      --to-map ZONE.txt   write the Tiled map that converts back to the zone\n"
    "                          script (to ZONE.tmx, never over an existing file\n"
    "                          unless -o names it), its tileset's picture beside it\n"
    "      --help              show this help and exit\n"
    "      --version           show the version and exit\n"
    "      --                  end of options: what follows is a map\n"
    "\n"
    "Exit status: 0 when every map converted (with --check: gave no warning),\n"
    "1 when any failed, 2 when the command line is wrong. With --diff, as diff's:\n"
    "0 the same zone, 1 a different one, 2 trouble.\n";

// The game's tools have always named a zone script after its map by swapping
// the last four characters (".tmx") for ".txt", whatever they are; a JSON
// map named ".json" loses all five.
std::string OutputNameFor(const std::string& mapPath) {
    const std::string json = ".json";
    if (mapPath.size() >= json.size() &&
        mapPath.compare(mapPath.size() - json.size(), json.size(), json) == 0) {
        return mapPath.substr(0, mapPath.size() - json.size()) + ".txt";
    }
    const size_t keep = mapPath.size() < 4 ? mapPath.size() : mapPath.size() - 4;
    return mapPath.substr(0, keep) + ".txt";
}

// Why a file could not be loaded, as the user reads it, at the parser's place.
void ReportLoadError(const std::string& path, const std::string& reason, tmx::TmxLocation at,
                     Diagnostics& diagnostics) {
    Finding failed;
    failed.severity = tmx::TmxSeverity::Error;
    failed.at = at;
    failed.what = finding::Load{reason};
    diagnostics.Report(path, failed);
}

// Writes the zone script of a map: to standard output, or to its file.
int Save(const std::string& output, const std::string& bytes, Diagnostics& diagnostics) {
    if (output == "-") {
        if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() &&
            std::fflush(stdout) == 0) {
            return kOk;
        }
        diagnostics.ReportError(
            output, "write",
            std::string("cannot write to standard output: ") + std::strerror(errno));
        return kFailed;
    }
    std::fflush(nullptr);  // a target in place may be this process's own standard output
    const SaveError saved = SaveOutput(output, bytes);
    if (saved.step == SaveError::Step::None) return kOk;
    // The message callers have always read on standard output, then the reason.
    if (saved.step == SaveError::Step::Open) {
        std::printf("Failed to open file [%s] for write.\n", output.c_str());
        std::fflush(stdout);
    }
    diagnostics.ReportError(
        output, "write",
        std::string("cannot write the zone script: ") + std::strerror(saved.error));
    return kFailed;
}

// Reports the findings in the order of the file, as an editor lists them
// (under --werror, warnings as errors). Returns whether there was a warning.
bool ReportFindings(Findings& findings, const std::string& path, const CommandLine& line,
                    Diagnostics& diagnostics) {
    const auto earlier = [](const Finding& a, const Finding& b) {
        return a.at.line != b.at.line ? a.at.line < b.at.line : a.at.column < b.at.column;
    };
    if (!std::is_sorted(findings.begin(), findings.end(), earlier)) {
        std::stable_sort(findings.begin(), findings.end(), earlier);
    }
    bool warned = false;
    for (Finding& finding : findings) {
        if (finding.severity == tmx::TmxSeverity::Warning) {
            warned = true;
            if (line.werror) finding.severity = tmx::TmxSeverity::Error;
        }
        diagnostics.Report(path, finding);
    }
    return warned;
}

int SavePicture(const std::string& png, const CommandLine& line, Diagnostics& diagnostics) {
    if (png.empty()) {
        diagnostics.ReportError(*line.preview, "write", "the picture could not be drawn");
        return kFailed;
    }
    std::fflush(nullptr);
    const SaveError saved = SaveOutput(*line.preview, png);
    if (saved.step == SaveError::Step::None) return kOk;
    diagnostics.ReportError(*line.preview, "write",
                            std::string("cannot write the picture: ") + std::strerror(saved.error));
    return kFailed;
}

int SavePreview(const ZoneContent& zone, const CommandLine& line, Diagnostics& diagnostics) {
    return SavePicture(DrawZonePreview(zone, line.previewScale), line, diagnostics);
}

// A zone script given to --preview: read back and drawn, nothing else written.
// Whether `path` holds one is told by its content: a map starts with "<" or "{".
std::optional<int> PreviewZoneScript(const std::string& path, const CommandLine& line,
                                     Diagnostics& diagnostics) {
    const tmx::FileText file = tmx::ReadFileText(path, 0);
    if (!file.problem.empty() || IsMapText(file.text)) {
        return std::nullopt;  // the map's load says what is wrong
    }
    Findings findings;
    int32_t linesRead = 0;
    const ZoneContent zone = ReadZoneScript(file.text, findings, &linesRead);
    if (linesRead == 0) {
        diagnostics.ReportError(path, "load", kNotAZoneScript);
        return kFailed;
    }
    const bool warned = ReportFindings(findings, path, line, diagnostics);
    // Under --werror a warning writes nothing; --check asks for the picture alone.
    if (line.werror && warned && !line.check) return kFailed;
    if (SavePreview(zone, line, diagnostics) != kOk) return kFailed;
    return warned && line.check ? kFailed : kOk;
}

int Convert(const std::string& path, const CommandLine& line, tmx::TmxTemplates& templates,
            Diagnostics& diagnostics) {
    if (line.preview) {
        if (const std::optional<int> status = PreviewZoneScript(path, line, diagnostics)) {
            return *status;
        }
    }
    if (path.size() >= 1000) {
        diagnostics.ReportError(
            path.substr(0, 40) + "...", "load",
            "the path is too long (" + std::to_string(path.size()) + " characters, at most 999)");
        return kFailed;
    }
    const std::string output = line.output.value_or(OutputNameFor(path));
    if (output == path) {
        diagnostics.ReportError(path, "load", "the map would be overwritten by its zone script");
        return kFailed;
    }

    tmx::TmxMap map;
    map.LoadFromFile(path, &templates);
    if (map.failed()) {
        ReportLoadError(path, "cannot load the map: " + map.errorMessage(), map.errorLocation(),
                        diagnostics);
        return kFailed;
    }
    Findings findings;
    const ZoneScript script = ConvertMap(map, line.preview.has_value(), findings);

    const bool warned = ReportFindings(findings, path, line, diagnostics);
    // Under --werror a warning writes nothing; --check asks for the picture alone.
    if (line.werror && warned && !line.check) return kFailed;
    if (line.preview && SavePreview(script.content(), line, diagnostics) != kOk) return kFailed;
    if (line.check) return warned ? kFailed : kOk;
    return Save(output, script.bytes(), diagnostics);
}

// --diff's statuses, as diff and cmp give them.
constexpr int kSameZone = 0;
constexpr int kOtherZone = 1;
constexpr int kTrouble = 2;

// A zone from either form for --diff and --describe; the reason on the
// diagnostics' stream when it cannot be read.
std::optional<LoadedZone> ReadZone(const std::string& path, tmx::TmxTemplates& templates,
                                   Diagnostics& diagnostics) {
    LoadedZone zone = LoadZone(path, templates);
    if (zone.error.empty()) return zone;
    ReportLoadError(path, zone.error, zone.errorAt, diagnostics);
    return std::nullopt;
}

bool Print(const std::string& text) {
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() &&
           std::fflush(stdout) == 0;
}

int Diff(const CommandLine& line, Diagnostics& diagnostics) {
    tmx::TmxTemplates templates;
    const std::string& oldPath = line.maps[0];
    const std::string& newPath = line.maps[1];
    const std::optional<LoadedZone> before = ReadZone(oldPath, templates, diagnostics);
    const std::optional<LoadedZone> after = ReadZone(newPath, templates, diagnostics);
    if (!before || !after) return kTrouble;
    const ZoneChanges changes = DiffZones(before->content, after->content);
    if (!Print(ChangesText(changes, newPath, line.form))) {
        diagnostics.ReportError(newPath, "write",
                                std::string("cannot write the changes: ") + std::strerror(errno));
        return kTrouble;
    }
    if (line.preview && SavePicture(DrawZoneChange(after->content, changes, line.previewScale),
                                    line, diagnostics) != kOk) {
        return kTrouble;
    }
    return changes.empty() ? kSameZone : kOtherZone;
}

int Describe(const CommandLine& line, Diagnostics& diagnostics) {
    tmx::TmxTemplates templates;
    const std::optional<LoadedZone> zone = ReadZone(line.maps[0], templates, diagnostics);
    if (!zone) return kFailed;
    if (Print(DescribeZone(zone->content))) return kOk;
    diagnostics.ReportError(line.maps[0], "write",
                            std::string("cannot write the description: ") + std::strerror(errno));
    return kFailed;
}

// The name of the ground codes tileset's picture, beside every map --to-map writes.
constexpr char kGroundCodesPicture[] = "velt-ground-codes.png";

// The picture beside the map: written where there is none, kept where it
// already is (the same bytes), refused where another file has its name.
bool SaveGroundCodesPicture(const std::string& mapPath, Diagnostics& diagnostics) {
    const size_t slash = mapPath.rfind('/');
    const std::string path =
        (slash == std::string::npos ? "" : mapPath.substr(0, slash + 1)) + kGroundCodesPicture;
    const std::string png = DrawGroundCodesTileset();
    if (access(path.c_str(), F_OK) == 0) {
        if (tmx::ReadFileText(path, 0).text == png) return true;
        diagnostics.ReportError(path, "write",
                                "cannot write the ground codes picture: another file has its name");
        return false;
    }
    const SaveError saved = SaveOutput(path, png);
    if (saved.step == SaveError::Step::None) return true;
    diagnostics.ReportError(
        path, "write",
        std::string("cannot write the ground codes picture: ") + std::strerror(saved.error));
    return false;
}

// --to-map: the map beside the zone script (ZONE.txt gives ZONE.tmx), never
// over an existing file unless -o names it.
int ToMap(const CommandLine& line, Diagnostics& diagnostics) {
    const std::string& path = line.maps[0];
    const tmx::FileText file = tmx::ReadFileText(path, 0);
    if (!file.problem.empty()) {
        diagnostics.ReportError(path, "load", "cannot read the zone script: " + file.problem);
        return kFailed;
    }
    if (IsMapText(file.text)) {
        diagnostics.ReportError(path, "load", "this is a map, not a zone script");
        return kFailed;
    }
    int32_t linesRead = 0;
    Findings unread;
    ReadZoneScript(file.text, unread, &linesRead);
    if (linesRead == 0) {
        diagnostics.ReportError(path, "load", kNotAZoneScript);
        return kFailed;
    }
    const bool named = line.output.has_value();
    const std::string txt = ".txt";
    const bool isTxt =
        path.size() > txt.size() && path.compare(path.size() - txt.size(), txt.size(), txt) == 0;
    const std::string output =
        line.output.value_or((isTxt ? path.substr(0, path.size() - txt.size()) : path) + ".tmx");
    // --check writes nothing, so nothing it would write can be in the way.
    if (!line.check && output == path) {
        diagnostics.ReportError(path, "write", "the zone script would be overwritten by its map");
        return kFailed;
    }
    if (!line.check && !named && access(output.c_str(), F_OK) == 0) {
        diagnostics.ReportError(output, "write",
                                "the map is there already; name it with -o to replace it");
        return kFailed;
    }
    ZoneMap map = MapFromZoneScript(file.text, kGroundCodesPicture);
    const bool warned = ReportFindings(map.findings, path, line, diagnostics);
    if (line.check) return warned ? kFailed : kOk;
    if (line.werror && warned) return kFailed;
    if (!SaveGroundCodesPicture(output, diagnostics)) return kFailed;
    std::fflush(nullptr);
    const SaveError saved = SaveOutput(output, map.tmx);
    if (saved.step == SaveError::Step::None) return kOk;
    diagnostics.ReportError(output, "write",
                            std::string("cannot write the map: ") + std::strerror(saved.error));
    return kFailed;
}

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
    if (line.diff) return Diff(line, diagnostics);
    if (line.describe) return Describe(line, diagnostics);
    if (line.toMap) return ToMap(line, diagnostics);
    tmx::TmxTemplates templates;  // read once for all the maps of the run
    int status = kOk;
    for (const std::string& path : line.maps) {
        if (Convert(path, line, templates, diagnostics) != kOk) status = kFailed;
        std::fflush(nullptr);
    }
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(std::vector<std::string>(argv + std::min(argc, 1), argv + argc));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "VeltTileConverter: %s\n", error.what());
        return kFailed;
    }
}
