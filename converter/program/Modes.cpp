#include "converter/program/Modes.h"

#include "converter/program/Runs.h"

namespace {

std::string Count(size_t count) {
    return std::to_string(count);
}

std::string FormName(DiagnosticsForm form) {
    switch (form) {
        case DiagnosticsForm::Text:
            return "text";
        case DiagnosticsForm::Json:
            return "json";
        case DiagnosticsForm::Github:
            return "github";
        case DiagnosticsForm::Sarif:
            return "sarif";
        case DiagnosticsForm::CodeQuality:
            break;
    }
    return "codequality";
}

// Converting maps: at least one; -o and --preview name one file each.
std::string RefusalOfConvert(const CommandLine& line) {
    if (line.maps.empty()) return "no map given";
    if (line.output && line.maps.size() > 1) {
        return "-o names one zone script, but " + Count(line.maps.size()) + " maps are given";
    }
    if (line.preview && line.maps.size() > 1) {
        return "--preview names one picture, but " + Count(line.maps.size()) + " maps are given";
    }
    if (line.previewOverlay) return "--preview-overlay draws a change, which only --diff has";
    if (line.previewWalk && !line.preview) {
        return "--preview-walk draws on the picture: it needs --preview";
    }
    if (line.output == "-" && line.form != DiagnosticsForm::Text &&
        line.form != DiagnosticsForm::Json) {
        return "-o - and --diagnostics=" + FormName(line.form) +
               " would both write to standard output";
    }
    return "";
}

// --diff and --describe read their files and write nothing but standard
// output (and --diff the picture).
std::string RefusalOfReading(const CommandLine& line, const std::string& name) {
    if (line.output || line.check || line.werror) {
        return name + " writes no zone script: -o, --check and --werror do not apply";
    }
    if (line.form == DiagnosticsForm::Sarif || line.form == DiagnosticsForm::CodeQuality) {
        return name + " tells a zone, not findings: --diagnostics=" + FormName(line.form) +
               " does not apply";
    }
    return "";
}

std::string RefusalOfDiff(const CommandLine& line) {
    if (line.previewWalk && !line.preview) {
        return "--preview-walk draws on the picture: it needs --preview";
    }
    const std::string refused = RefusalOfReading(line, "--diff");
    if (!refused.empty() || line.maps.size() == 2) return refused;
    return "--diff compares two files, OLD and NEW, not " + Count(line.maps.size());
}

std::string RefusalOfDescribe(const CommandLine& line) {
    const std::string refused = RefusalOfReading(line, "--describe");
    if (!refused.empty()) return refused;
    if (line.preview) return "--describe draws no picture: --preview does not apply";
    if (line.maps.size() == 1) return "";
    return "--describe reads one file, not " + Count(line.maps.size());
}

// --to-map writes one map, and its tileset's picture beside it.
std::string RefusalOfToMap(const CommandLine& line) {
    if (line.preview) return "--to-map draws no picture: --preview does not apply";
    if (line.output == "-") {
        return "--to-map writes a map and its tileset's picture beside it: -o - does not apply";
    }
    if (line.maps.size() == 1) return "";
    return "--to-map reads one zone script, not " + Count(line.maps.size());
}

// --make-tileset writes a tileset and its picture from the tables and art.
std::string RefusalOfMakeTileset(const CommandLine& line) {
    if (!line.maps.empty()) return "--make-tileset reads no map";
    if (line.output == "-")
        return "--make-tileset writes a tileset and its picture: -o - does not apply";
    if (line.preview || line.check || line.werror) {
        return "--make-tileset writes a tileset: --preview, --check and --werror do not apply";
    }
    if (line.groundArt == std::string("map")) {
        return "--make-tileset draws no map: --ground-art takes the game's atlas, not \"map\"";
    }
    return "";
}

constexpr Mode kModes[] = {
    {ModeKind::Convert, "", RefusalOfConvert, RunConvert},
    {ModeKind::Diff, "--diff", RefusalOfDiff, RunDiff},
    {ModeKind::Describe, "--describe", RefusalOfDescribe, RunDescribe},
    {ModeKind::ToMap, "--to-map", RefusalOfToMap, RunToMap},
    {ModeKind::MakeTileset, "--make-tileset", RefusalOfMakeTileset, RunMakeTileset},
};

}  // namespace

std::span<const Mode> Modes() {
    return kModes;
}

const Mode& ModeOf(ModeKind kind) {
    for (const Mode& mode : kModes) {
        if (mode.kind == kind) return mode;
    }
    return kModes[0];
}
