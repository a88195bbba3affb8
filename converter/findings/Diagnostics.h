#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "converter/findings/Finding.h"
#include "converter/findings/FindingLogs.h"

// How findings reach the user: as compilers write them (on standard error),
// as JSON lines (on standard error, for tools), as GitHub Actions workflow
// commands (on standard output, where the runner reads them), or as one
// document for the whole run on standard output once it is over: a SARIF
// log, or GitLab's code quality report.
enum class DiagnosticsForm { Text, Json, Github, Sarif, CodeQuality };

// Where text goes: standard output or error, or the run's document.
enum class Stream { Out, Err, Log };

class Diagnostics {
  public:
    explicit Diagnostics(DiagnosticsForm form) : form_(form) {}

    DiagnosticsForm form() const { return form_; }
    // Whether the form is one document on standard output, which nothing
    // else may be written into.
    bool IsDocument() const {
        return form_ == DiagnosticsForm::Sarif || form_ == DiagnosticsForm::CodeQuality;
    }

    // One finding about the file at `path`, worded by FindingText.
    void Report(const std::string& path, const Finding& finding);
    // Other text for standard output or error, printed or held as findings
    // are. Beside a document, what would go to standard output goes to
    // standard error.
    void Print(Stream stream, std::string_view text);

    // From now on, what would be printed is held until Flush: the findings
    // of a map converted beside others, printed in the order of the maps.
    void Hold() { holding_ = true; }
    // Prints what is held, in the order it came, and holds nothing more;
    // or hands it to `into`, as if reported there.
    void Flush();
    void Flush(Diagnostics& into);

    // The run's document, for the forms that have one, on standard output.
    void Finish(const RunOfTool& run);

  private:
    // Its fingerprint: its key, numbered where the same key comes again.
    std::string Fingerprint(const std::string& path, const Finding& finding);

    DiagnosticsForm form_;
    bool holding_ = false;
    std::vector<std::pair<Stream, std::string>> held_;
    std::vector<std::string> entries_;     // the document's, one a finding
    std::map<std::string, int> keysSeen_;  // a key, how many times
};

// The name of a severity as the forms print it: "note", "warning", "error".
const char* SeverityName(Severity severity);
