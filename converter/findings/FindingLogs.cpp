#include "converter/findings/FindingLogs.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "converter/findings/Diagnostics.h"
#include "converter/findings/FindingText.h"
#include "converter/text/Escape.h"

namespace {

// A file as a SARIF artifact: a path relative to the working folder stays
// relative to it (%SRCROOT%); an absolute one is a file URI of its own.
std::string ArtifactLocation(std::string path) {
    while (path.rfind("./", 0) == 0)
        path.erase(0, 2);
    const bool drive = path.size() > 2 && path[1] == ':' && (path[2] == '/' || path[2] == '\\');
    if (!path.empty() && (path.front() == '/' || drive)) {
        return "{\"uri\":" + JsonString("file://" + std::string(drive ? "/" : "") + UriPath(path)) +
               "}";
    }
    return "{\"uri\":" + JsonString(UriPath(path)) + ",\"uriBaseId\":\"%SRCROOT%\"}";
}

// "mob-number" as a rule's name: "MobNumber".
std::string PascalCase(const char* kind) {
    std::string name;
    bool upper = true;
    for (const char* c = kind; *c != '\0'; ++c) {
        if (*c == '-') {
            upper = true;
            continue;
        }
        name += upper ? static_cast<char>(*c - 'a' + 'A') : *c;
        upper = false;
    }
    return name;
}

int32_t RuleIndex(const char* kind) {
    const std::vector<KindInfo> kinds = FindingKinds();
    for (size_t i = 0; i < kinds.size(); ++i)
        if (std::strcmp(kinds[i].name, kind) == 0) return static_cast<int32_t>(i);
    return -1;
}

std::string Joined(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items)
        text.append(text.empty() ? "" : ",").append(item);
    return text;
}

// 128 bits of FNV-1a over the fingerprint, as GitLab takes an MD5's digits.
std::string HexDigest(const std::string& text) {
    uint64_t halves[2] = {0xcbf29ce484222325ULL, 0x84222325cbf29ce4ULL};
    for (uint64_t& hash : halves) {
        for (const char c : text) {
            hash ^= static_cast<unsigned char>(c);
            hash *= 0x100000001b3ULL;
        }
    }
    char digits[40];
    std::snprintf(digits, sizeof digits, "%016llx%016llx",
                  static_cast<unsigned long long>(halves[0]),
                  static_cast<unsigned long long>(halves[1]));
    return digits;
}

}  // namespace

std::string SarifResult(const std::string& path, const Finding& finding,
                        const std::string& fingerprint) {
    const char* kind = KindName(finding.what);
    std::string region;
    if (finding.at.line > 0) {
        region = ",\"region\":{\"startLine\":" + std::to_string(finding.at.line) +
                 ",\"startColumn\":" + std::to_string(finding.at.column) + "}";
    }
    return std::string("{\"ruleId\":\"") + kind +
           "\",\"ruleIndex\":" + std::to_string(RuleIndex(kind)) + ",\"level\":\"" +
           SeverityName(finding.severity) +
           "\",\"message\":{\"text\":" + JsonString(FindingText(finding)) +
           "},\"locations\":[{\"physicalLocation\":{\"artifactLocation\":" +
           ArtifactLocation(path) + region +
           "}}],\"partialFingerprints\":{\"veltFinding/v1\":" + JsonString(fingerprint) + "}}";
}

std::string SarifLog(const std::vector<std::string>& results, const RunOfTool& run) {
    std::vector<std::string> rules;
    for (const KindInfo& kind : FindingKinds()) {
        const std::string about = JsonString(kind.about);
        // A name only where it says more than the id ("MobNumber", not "Load").
        const std::string name = std::strchr(kind.name, '-') != nullptr
                                     ? ",\"name\":\"" + PascalCase(kind.name) + "\""
                                     : "";
        rules.push_back(std::string("{\"id\":\"") + kind.name + "\"" + name +
                        ",\"shortDescription\":{\"text\":" + about +
                        "},\"fullDescription\":{\"text\":" + about +
                        "},\"defaultConfiguration\":{\"level\":\"" + SeverityName(kind.severity) +
                        "\"}}");
    }
    std::string base;
    if (!run.workingFolder.empty()) {
        std::string folder = run.workingFolder;
        const bool drive = folder.size() > 1 && folder[1] == ':';
        base = ",\"originalUriBaseIds\":{\"%SRCROOT%\":{\"uri\":" +
               JsonString("file://" + std::string(drive ? "/" : "") + UriPath(folder)) + "}}";
    }
    return "{\"$schema\":\"https://json.schemastore.org/sarif-2.1.0.json\",\"version\":\"2.1.0\","
           "\"runs\":[{\"tool\":{\"driver\":{\"name\":\"VeltTileConverter\",\"version\":" +
           JsonString(run.version) + ",\"rules\":[" + Joined(rules) + "]}}" + base +
           ",\"results\":[" + Joined(results) + "]}]}\n";
}

std::string CodeQualityEntry(const std::string& path, const Finding& finding,
                             const std::string& fingerprint) {
    static constexpr const char* kSeverities[] = {"info", "major", "critical"};
    std::string file = path;
    while (file.rfind("./", 0) == 0)
        file.erase(0, 2);
    return "{\"description\":" + JsonString(FindingText(finding)) + ",\"check_name\":\"" +
           KindName(finding.what) + "\",\"fingerprint\":\"" + HexDigest(fingerprint) +
           "\",\"severity\":\"" + kSeverities[static_cast<int>(finding.severity)] +
           "\",\"location\":{\"path\":" + JsonString(file) +
           ",\"lines\":{\"begin\":" + std::to_string(finding.at.line > 0 ? finding.at.line : 1) +
           "}}}";
}

std::string CodeQualityReport(const std::vector<std::string>& entries) {
    std::string report = "[";
    return report.append(Joined(entries)).append("]\n");
}
