// The command line in its GNU forms, and what it refuses.

#include <gtest/gtest.h>

#include "converter/program/CommandLine.h"

namespace {

// What a command line asks for, in a few words: its maps in brackets, then
// what differs from the defaults.
std::string Described(const std::vector<std::string>& arguments) {
    const CommandLine line = ParseCommandLine(arguments);
    std::string text = "[";
    for (const std::string& map : line.maps)
        text += (text.size() > 1 ? " " : "") + map;
    text += "]";
    if (line.banner) text += " banner";
    if (line.help) text += " help";
    if (line.version) text += " version";
    if (line.check) text += " check";
    if (line.werror) text += " werror";
    if (line.mode == ModeKind::Diff) text += " diff";
    if (line.mode == ModeKind::Describe) text += " describe";
    if (line.mode == ModeKind::ToMap) text += " to-map";
    if (line.makeTileset) text += " make-tileset=" + *line.makeTileset;
    if (line.groundTable) text += " ground-table=" + *line.groundTable;
    if (line.mobTable) text += " mob-table=" + *line.mobTable;
    if (line.form == DiagnosticsForm::Json) text += " json";
    if (line.form == DiagnosticsForm::Github) text += " github";
    if (line.form == DiagnosticsForm::Sarif) text += " sarif";
    if (line.form == DiagnosticsForm::CodeQuality) text += " codequality";
    if (line.output) text += " output=" + *line.output;
    if (line.baseline) text += " baseline=" + *line.baseline;
    if (line.writeBaseline) text += " write-baseline=" + *line.writeBaseline;
    if (line.preview) text += " preview=" + *line.preview;
    if (line.previewScale != 8) text += " scale=" + std::to_string(line.previewScale);
    if (line.jobs != 0) text += " jobs=" + std::to_string(line.jobs);
    if (line.project) text += " project=" + *line.project;
    if (line.noProject) text += " no-project";
    if (!line.error.empty()) text += " error: " + line.error;
    return text;
}

TEST(CommandLine, GnuFormsAndTheirRefusals) {
    const struct {
        std::vector<std::string> arguments;
        const char* described;
    } rows[] = {
        {{}, "[] banner"},
        {{"-h"}, "[] banner"},
        {{"-h", "a.tmx"}, "[a.tmx] banner"},
        {{"a.tmx", "b.tmx"}, "[a.tmx b.tmx]"},
        {{"-o", "z.txt", "a.tmx"}, "[a.tmx] output=z.txt"},
        {{"-oz.txt", "a.tmx"}, "[a.tmx] output=z.txt"},
        {{"--output=z.txt", "a.tmx"}, "[a.tmx] output=z.txt"},
        {{"a.tmx", "--output", "-"}, "[a.tmx] output=-"},
        {{"--", "-o", "--check"}, "[-o --check]"},
        {{"-", "--check"}, "[-] check"},
        {{"--werror", "--diagnostics", "json", "a"}, "[a] werror json"},
        {{"--diagnostics=github", "a"}, "[a] github"},
        {{"--preview", "p.png", "--preview-scale=2", "a"}, "[a] preview=p.png scale=2"},
        {{"--preview=p.png", "--preview-scale", "32", "a"}, "[a] preview=p.png scale=32"},
        {{"--version"}, "[] version"},
        {{"--help", "--bogus"}, "[] help error: unknown option --bogus"},
        {{"--outputs=z", "a"}, "[] error: unknown option --outputs=z"},
        {{"a", "-o"}, "[a] error: option -o needs a value"},
        {{"--check"}, "[] check error: no map given"},
        {{"-o", "z", "a", "b"},
         "[a b] output=z error: -o names one zone script, but 2 maps are given"},
        {{"--preview=p", "a", "b"},
         "[a b] preview=p error: --preview names one picture, but 2 maps are given"},
        {{"--preview-scale=0", "a"},
         "[] error: --preview-scale takes a number of pixels from 1 to 32, not \"0\""},
        {{"--preview-scale=8x", "a"},
         "[] error: --preview-scale takes a number of pixels from 1 to 32, not \"8x\""},
        {{"--diagnostics=xml", "a"},
         "[] error: --diagnostics takes text, json, github, sarif or codequality, not \"xml\""},
        {{"-o", "-", "--diagnostics=github", "a"},
         "[a] github output=- error: -o - and --diagnostics=github would both write to standard "
         "output"},
        {{"--diagnostics=codequality", "-o", "-", "a"},
         "[a] codequality output=- error: -o - and --diagnostics=codequality would both write to "
         "standard output"},
        {{"--check", "--diagnostics=sarif", "a", "b"}, "[a b] check sarif"},
        {{"--diff", "--diagnostics=sarif", "a", "b"},
         "[a b] diff sarif error: --diff tells a zone, not findings: --diagnostics=sarif does not "
         "apply"},
        {{"--make-tileset=t.tsx", "--ground-table", "g.tsv", "--mob-table=m.tsv"},
         "[] make-tileset=t.tsx ground-table=g.tsv mob-table=m.tsv"},
        {{"--make-tileset", "t.tsx", "a"},
         "[a] make-tileset=t.tsx error: --make-tileset reads no map"},
        {{"--make-tileset=t.tsx", "-o", "-"},
         "[] make-tileset=t.tsx output=- error: --make-tileset writes a tileset and its "
         "picture: -o - does not apply"},
        {{"--make-tileset=t.tsx", "--ground-art=map"},
         "[] make-tileset=t.tsx error: --make-tileset draws no map: --ground-art takes the "
         "game's atlas, not \"map\""},
        {{"--make-tileset=t.tsx", "--check"},
         "[] check make-tileset=t.tsx error: --make-tileset writes a tileset: --preview, "
         "--check and --werror do not apply"},
        {{"--describe", "a", "--diagnostics=codequality"},
         "[a] describe codequality error: --describe tells a zone, not findings: "
         "--diagnostics=codequality does not apply"},
        // Threads, and the project whose types the maps use.
        {{"-j", "2", "a"}, "[a] jobs=2"},
        {{"-j4", "--jobs=1", "a"}, "[a] jobs=1"},
        {{"--jobs", "1024", "a"}, "[a] jobs=1024"},
        {{"-j", "0", "a"}, "[] error: -j takes a number of threads from 1 to 1024, not \"0\""},
        {{"-jx", "a"}, "[] error: -j takes a number of threads from 1 to 1024, not \"x\""},
        {{"--jobs=1025", "a"},
         "[] error: -j takes a number of threads from 1 to 1024, not \"1025\""},
        {{"--project", "p.tiled-project", "a"}, "[a] project=p.tiled-project"},
        {{"--no-project", "a"}, "[a] no-project"},
        {{"--project=p", "--no-project", "a"},
         "[a] project=p no-project error: --project names the maps' project, --no-project says "
         "there is none"},
        // Kinds of findings tuned as compilers tune warnings, and baselines.
        {{"-Wno-mob-number", "-Werror=tile-size", "-Wno-error=path-point", "-Wlayer-data", "a"},
         "[a]"},
        {{"-Werror", "a"}, "[a] werror"},
        {{"-Wno-mob-numbers", "a"},
         "[] error: -Wno-mob-numbers: \"mob-numbers\" is no kind of finding; the kinds are load, "
         "write, layer-data, template, tiles-outside-zone, tile-without-code, "
         "tilesets-share-codes, file-reference, tileset-name, mob-unknown, ground-unknown, "
         "marker-blocked, unreachable, path-blocked, "
         "empty-zone, layer-blanks-tiles, hidden-layer, layer-offset, orientation, group-name, "
         "mob-number, zone-marker, waypoint-shape, path-id-reused, object-outside-zone, "
         "tile-object-anchor, path-point, tile-size, title-breaks-line, title-joined, "
         "header-number, header-name, header-type, header-enum, map-class, project, config, "
         "zone-script-stale, zone-script-missing, ground-art, ignore-unknown, ignore-unused, "
         "zone-line, "
         "zone-number, zone-block, zone-code, zone-placed-again, zone-unused-block, zone-far, "
         "zone-title, zone-text and zone-round-trip"},
        {{"-Wno-load", "a"},
         "[] error: -Wno-load: \"load\" is an error, which is always reported and always fails"},
        {{"--baseline=b.txt", "--write-baseline", "c.txt", "a"},
         "[a] baseline=b.txt write-baseline=c.txt"},
        // The readers of zones: their files, and what does not apply to them.
        {{"a", "--diff", "b", "--preview=p", "--diagnostics=github"},
         "[a b] diff github preview=p"},
        {{"--diff", "--describe", "a", "b"},
         "[a b] describe error: --diff, --describe, --to-map and --make-tileset cannot be used "
         "together"},
        {{"--describe", "--to-map", "a"},
         "[a] to-map error: --diff, --describe, --to-map and --make-tileset cannot be used "
         "together"},
        {{"--diff", "--werror", "a", "b"},
         "[a b] werror diff error: --diff writes no zone script: -o, --check and --werror do not "
         "apply"},
        {{"--describe", "--preview=p", "a"},
         "[a] describe preview=p error: --describe draws no picture: --preview does not apply"},
        {{"--describe"}, "[] describe error: --describe reads one file, not 0"},
        {{"--to-map", "z.txt", "-o", "z.tmx", "--werror"}, "[z.txt] werror to-map output=z.tmx"},
        {{"--to-map", "-o", "-", "z.txt"},
         "[z.txt] to-map output=- error: --to-map writes a map and its tileset's picture beside "
         "it: -o - does not apply"},
        {{"--to-map", "--preview=p", "z.txt"},
         "[z.txt] to-map preview=p error: --to-map draws no picture: --preview does not apply"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Described(row.arguments), row.described);
}

// What the -W options set: a kind off, on, an error; kept a warning under
// --werror; the last of them for a kind wins.
TEST(CommandLine, WarningOptionsTuneTheKinds) {
    const CommandLine line =
        ParseCommandLine({"-Werror", "-Wno-mob-number", "-Werror=tile-size",
                          "-Wno-error=path-point", "-Wno-orientation", "-Worientation", "a"});
    ASSERT_EQ(line.error, "");
    const auto severity = [&](FindingData what, Severity own = Severity::Warning) {
        return line.tuning.SeverityOf({own, {}, {}, std::move(what)});
    };
    EXPECT_EQ(severity(finding::MobNumber{}), std::nullopt);
    EXPECT_EQ(severity(finding::TileSize{}), Severity::Error);
    EXPECT_EQ(severity(finding::PathPoint{}), Severity::Warning);
    EXPECT_EQ(severity(finding::Orientation{}), Severity::Error);  // on again, then --werror
    EXPECT_EQ(severity(finding::HiddenLayer{}, Severity::Note), Severity::Note);
    EXPECT_EQ(severity(finding::ZoneMarker{}), Severity::Error);
}

}  // namespace
