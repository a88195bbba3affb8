#pragma once

// The forms that give a whole run's findings as one document, for the
// code-review systems that read them: a SARIF 2.1.0 log (GitHub code
// scanning, and most others), and GitLab's code quality report. Each finding
// is one entry, made as it is reported; the document is made at the end.

#include <string>
#include <vector>

#include "converter/findings/Finding.h"

// What a run's document says of the run itself.
struct RunOfTool {
    std::string version;        // the converter's
    std::string workingFolder;  // the folder paths are relative to, full ("" where unknown)
};

// One finding about the file at `path` as a SARIF result; `fingerprint`
// follows it from run to run (FindingKey, made unique within the run).
std::string SarifResult(const std::string& path, const Finding& finding,
                        const std::string& fingerprint);
// The SARIF log of the results made so far: the tool, a rule for each kind
// of finding, and the results.
std::string SarifLog(const std::vector<std::string>& results, const RunOfTool& run);

// The same as an entry of GitLab's code quality report (a JSON array).
std::string CodeQualityEntry(const std::string& path, const Finding& finding,
                             const std::string& fingerprint);
std::string CodeQualityReport(const std::vector<std::string>& entries);
