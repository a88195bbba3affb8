#include "converter/program/Pictures.h"

#include "converter/findings/Finding.h"
#include "platform/FileText.h"

Pictures::Pictures(const CommandLine& line) : line_(line) {}

PictureOptions Pictures::Options(Diagnostics& diagnostics) {
    if (line_.groundArt && !read_) {
        read_ = true;
        const platform::FileText file = platform::ReadFileText(*line_.groundArt, 0);
        std::string problem = file.problem;
        if (problem.empty()) atlas_ = GroundAtlas::FromPng(file.text, problem);
        if (!atlas_) diagnostics.Report(*line_.groundArt, FindingOf(finding::GroundArt{problem}));
    }
    return {line_.previewScale, line_.previewWholeZone, atlas_ ? &*atlas_ : nullptr};
}
