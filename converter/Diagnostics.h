#pragma once

#include <cstdio>
#include <string>

#include "Finding.h"
#include "TextEscape.h"

// How findings reach the user: as compilers write them (on standard error),
// as JSON lines (on standard error, for tools), or as GitHub Actions workflow
// commands (on standard output, where the runner reads them).
enum class DiagnosticsForm { Text, Json, Github };

class Diagnostics {
  public:
    explicit Diagnostics(DiagnosticsForm form) : form_(form) {}

    // One finding about the file at `path`, worded by FindingText.
    void Report(const std::string& path, const Finding& finding);
    // An error about `path` that is no finding in the map: `kind` says what
    // could not be done ("load", "write").
    void ReportError(const std::string& path, const char* kind, const std::string& message);

  private:
    void Print(const std::string& path, tmx::TmxLocation at, tmx::TmxSeverity severity,
               const char* kind, const std::string& message, const Finding* finding);

    DiagnosticsForm form_;
};
