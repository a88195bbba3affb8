#pragma once

// What every mode does with what it found and made: the findings reported in
// the order of the file, the decision of --check and --werror, and files
// saved with their failure said.

#include <string>
#include <string_view>

#include "converter/findings/Diagnostics.h"
#include "converter/program/CommandLine.h"

class Baseline;

// What the findings of one file came to, as reported.
struct Outcome {
    bool warned = false;   // a warning
    bool failed = false;   // an error the team's settings made of a finding
    bool refused = false;  // an error no setting changes (a file that cannot be used)
};

// Where a file's findings go besides the diagnostics: the baseline of those
// accepted, reported as notes; the baseline being written.
struct Baselines {
    Baseline* accepted = nullptr;
    Baseline* recording = nullptr;
};

// Reports the findings in the order of the file, as an editor lists them,
// each with the severity `tuning` gives it (not at all when off).
Outcome ReportFindings(Findings& findings, const std::string& path, const Tuning& tuning,
                       Baselines baselines, Diagnostics& diagnostics);

// An error about `path` that is no finding in its file: it could not be
// loaded, or written.
void ReportLoadError(const std::string& path, std::string reason, Diagnostics& diagnostics);
void ReportWriteError(const std::string& path, std::string reason, Diagnostics& diagnostics);

// What a run may write after its findings: a file that cannot be used, or
// (but under --check) an error, fails it before anything is written; under
// --check only a picture is written, and a warning fails it; while a
// baseline is written only a picture is, and the findings it records do not
// fail. `status` is the run's status if what it writes is written.
struct Verdict {
    enum class Writes { Nothing, PictureOnly, Everything } writes;
    int status;
};
Verdict Judge(const Outcome& outcome, const CommandLine& line);

// Saves `bytes` at `path` (see platform/SaveOutput.h); on failure reports
// "cannot write `what`: the reason". A zone script that cannot be opened
// also gets the message callers have always read on standard output.
enum class Announce { No, FailedToOpen };
bool SaveReporting(const std::string& path, std::string_view bytes, const std::string& what,
                   Diagnostics& diagnostics, Announce announce = Announce::No);

// A picture drawn as PNG bytes, saved as SaveReporting saves; empty bytes
// are a picture that could not be drawn.
bool SavePicture(const std::string& path, const std::string& png, Diagnostics& diagnostics);

// Writes `text` to standard output, whole; false when it cannot.
bool Print(std::string_view text);
