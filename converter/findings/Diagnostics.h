#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "converter/findings/Finding.h"

// How findings reach the user: as compilers write them (on standard error),
// as JSON lines (on standard error, for tools), or as GitHub Actions workflow
// commands (on standard output, where the runner reads them).
enum class DiagnosticsForm { Text, Json, Github };

enum class Stream { Out, Err };

class Diagnostics {
  public:
    explicit Diagnostics(DiagnosticsForm form) : form_(form) {}

    DiagnosticsForm form() const { return form_; }

    // One finding about the file at `path`, worded by FindingText.
    void Report(const std::string& path, const Finding& finding);
    // Other text for standard output or error, printed or held as findings are.
    void Print(Stream stream, std::string_view text);

    // From now on, what would be printed is held until Flush: the findings
    // of a map converted beside others, printed in the order of the maps.
    void Hold() { holding_ = true; }
    // Prints what is held, in the order it came, and holds nothing more.
    void Flush();

  private:
    DiagnosticsForm form_;
    bool holding_ = false;
    std::vector<std::pair<Stream, std::string>> held_;
};

// The name of a severity as the forms print it: "note", "warning", "error".
const char* SeverityName(Severity severity);
