#include "converter/program/Output.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <optional>
#include <utility>

#include "converter/program/Status.h"
#include "converter/text/Lists.h"
#include "converter/workspace/Baseline.h"
#include "platform/SaveOutput.h"

Outcome ReportFindings(Findings& findings, const std::string& path, const Tuning& tuning,
                       Baselines baselines, Diagnostics& diagnostics) {
    const auto earlier = [](const Finding& a, const Finding& b) {
        return a.at.line != b.at.line ? a.at.line < b.at.line : a.at.column < b.at.column;
    };
    if (!std::is_sorted(findings.begin(), findings.end(), earlier)) {
        std::stable_sort(findings.begin(), findings.end(), earlier);
    }
    Outcome outcome;
    for (Finding& finding : findings) {
        const std::optional<Severity> severity = tuning.SeverityOf(finding);
        if (!severity) continue;
        const bool fixed = finding.severity == Severity::Error;  // no setting changes it
        if (!fixed && *severity != Severity::Note) {
            if (baselines.recording != nullptr) baselines.recording->Record(path, finding);
            if (baselines.accepted != nullptr && baselines.accepted->Holds(path, finding)) {
                finding.severity = Severity::Note;
                diagnostics.Report(path, finding);
                continue;
            }
        }
        finding.severity = *severity;
        outcome.refused = outcome.refused || fixed;
        outcome.failed = outcome.failed || *severity == Severity::Error;
        outcome.warned = outcome.warned || *severity == Severity::Warning;
        diagnostics.Report(path, finding);
    }
    return outcome;
}

void ReportLoadError(const std::string& path, std::string reason, Diagnostics& diagnostics) {
    diagnostics.Report(path, FindingOf(finding::Load{std::move(reason)}));
}

void ReportWriteError(const std::string& path, std::string reason, Diagnostics& diagnostics) {
    diagnostics.Report(path, FindingOf(finding::Write{std::move(reason)}));
}

Verdict Judge(const Outcome& outcome, const CommandLine& line) {
    if (outcome.refused) return {Verdict::Writes::Nothing, kFailed};
    if (line.writeBaseline) return {Verdict::Writes::PictureOnly, kOk};
    if (line.check) {
        return {Verdict::Writes::PictureOnly, outcome.warned || outcome.failed ? kFailed : kOk};
    }
    if (outcome.failed) return {Verdict::Writes::Nothing, kFailed};
    return {Verdict::Writes::Everything, kOk};
}

namespace {

// Why a save failed, as the user can act on it: the program to close where
// another held the file.
std::string SaveFailureWords(const platform::SaveError& saved) {
    if (!saved.inUse) return std::strerror(saved.error);
    const std::string holders =
        saved.holders.empty()
            ? "another program"
            : Listed(saved.holders, [](const platform::FileHolder& holder) {
                  return holder.program + " (process " + std::to_string(holder.process) + ")";
              });
    const auto seconds = std::chrono::duration<double>(saved.waited).count();
    char waited[32];
    std::snprintf(waited, sizeof waited, "%g", seconds);
    return "the file is in use by " + holders + " (waited " + waited + " s for it)";
}

}  // namespace

bool SaveReporting(const std::string& path, std::string_view bytes, const std::string& what,
                   Diagnostics& diagnostics, Announce announce) {
    std::fflush(nullptr);  // a target written in place may be this process's own output
    const platform::SaveError saved = platform::SaveOutput(path, bytes);
    if (saved.step == platform::SaveError::Step::None) return true;
    if (announce == Announce::FailedToOpen && saved.step == platform::SaveError::Step::Open) {
        diagnostics.Print(Stream::Out, "Failed to open file [" + path + "] for write.\n");
        std::fflush(stdout);
    }
    ReportWriteError(path, "cannot write " + what + ": " + SaveFailureWords(saved), diagnostics);
    return false;
}

bool SavePicture(const std::string& path, const std::string& png, Diagnostics& diagnostics) {
    if (png.empty()) {
        ReportWriteError(path, "the picture could not be drawn", diagnostics);
        return false;
    }
    return SaveReporting(path, png, "the picture", diagnostics);
}

bool Print(std::string_view text) {
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() &&
           std::fflush(stdout) == 0;
}
