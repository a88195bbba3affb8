#pragma once

#include <string>

#include "converter/findings/Finding.h"

// How findings reach the user: as compilers write them (on standard error),
// as JSON lines (on standard error, for tools), or as GitHub Actions workflow
// commands (on standard output, where the runner reads them).
enum class DiagnosticsForm { Text, Json, Github };

class Diagnostics {
  public:
    explicit Diagnostics(DiagnosticsForm form) : form_(form) {}

    // One finding about the file at `path`, worded by FindingText.
    void Report(const std::string& path, const Finding& finding);

  private:
    DiagnosticsForm form_;
};

// The name of a severity as the forms print it: "note", "warning", "error".
const char* SeverityName(Severity severity);
