#include "converter/program/Pictures.h"

#include "converter/findings/Finding.h"
#include "converter/program/Output.h"
#include "platform/FileText.h"

namespace {

constexpr char kMapArt[] = "map";

// A ground-art note, unless the command line turns the kind off; it is drawn
// after the verdict, so it stays a note.
void Note(const std::string& path, std::string problem, const Tuning& tuning,
          Diagnostics& diagnostics) {
    const Finding note = FindingOf(finding::GroundArt{std::move(problem)});
    if (tuning.SeverityOf(note)) diagnostics.Report(path, note);
}

}  // namespace

Pictures::Pictures(const CommandLine& line) : line_(line) {}

bool Pictures::WantsMapArt() const {
    return line_.preview && line_.groundArt == kMapArt;
}

const GroundArt* Pictures::ArtOf(const std::string& path, const LoadedZone* zone,
                                 Diagnostics& diagnostics) {
    if (!line_.groundArt) return nullptr;
    if (*line_.groundArt == kMapArt) {
        if (zone == nullptr || !zone->art) {
            Note(path, "a zone script holds no map's tiles", line_.tuning, diagnostics);
            return nullptr;
        }
        for (const ArtProblem& problem : zone->artProblems)
            Note(problem.image, problem.problem, line_.tuning, diagnostics);
        return zone->art.get();
    }
    if (!read_) {
        read_ = true;
        const platform::FileText file = platform::ReadFileText(*line_.groundArt, 0);
        std::string problem = file.problem;
        if (problem.empty()) atlas_ = GroundAtlas::FromPng(file.text, problem);
        if (!atlas_) Note(*line_.groundArt, problem, line_.tuning, diagnostics);
    }
    return atlas_ ? &*atlas_ : nullptr;
}

PictureOptions Pictures::Options(const GroundArt* art, const GroundArt* before,
                                 const GameTables* tables) const {
    return {line_.previewScale, line_.previewWholeZone, art, before, tables, line_.previewWalk};
}

std::optional<GroundAtlas> AtlasFor(const std::string& path, Diagnostics& diagnostics) {
    const platform::FileText file = platform::ReadFileText(path, 0);
    std::string problem = file.problem;
    std::optional<GroundAtlas> atlas;
    if (problem.empty()) atlas = GroundAtlas::FromPng(file.text, problem);
    if (!atlas) ReportLoadError(path, "cannot use the ground art: " + problem, diagnostics);
    return atlas;
}
