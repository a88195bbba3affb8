#include "converter/findings/Tuning.h"

#include <cstring>
#include <vector>

#include "converter/findings/FindingText.h"
#include "converter/text/Lists.h"

std::string Tuning::Refusal(const std::string& kind) {
    for (const KindInfo& info : FindingKinds()) {
        if (kind != info.name) continue;
        if (info.severity == Severity::Error) {
            return "\"" + kind + "\" is an error, which is always reported and always fails";
        }
        return "";
    }
    return "\"" + kind + "\" is no kind of finding; the kinds are " + KindsInWords();
}

std::string Tuning::KindsInWords() {
    std::vector<std::string> names;
    for (const KindInfo& info : FindingKinds())
        names.emplace_back(info.name);
    return Listed(names, [](const std::string& name) { return name; });
}

Tuning Tuning::Over(const Tuning& base, const Tuning& over) {
    Tuning merged = base;
    for (const auto& [kind, level] : over.levels_)
        merged.levels_[kind] = level;
    merged.keptWarnings_.insert(over.keptWarnings_.begin(), over.keptWarnings_.end());
    if (over.werror_) merged.werror_ = over.werror_;
    return merged;
}

std::optional<Severity> Tuning::SeverityOf(const Finding& finding) const {
    if (finding.severity == Severity::Error) return Severity::Error;
    const char* kind = KindName(finding.what);
    Severity severity = finding.severity;
    if (const auto set = levels_.find(kind); set != levels_.end()) {
        switch (set->second) {
            case Level::Off:
                return std::nullopt;
            case Level::On:
                break;
            case Level::Note:
                severity = Severity::Note;
                break;
            case Level::Warning:
                severity = Severity::Warning;
                break;
            case Level::Error:
                severity = Severity::Error;
                break;
        }
    }
    if (severity == Severity::Warning && werror_.value_or(false) &&
        keptWarnings_.count(kind) == 0) {
        severity = Severity::Error;
    }
    return severity;
}
