#pragma once

// A finding: what the game's rules drop or change of a map as drawn (or what
// could not be done at all), as data. The loader and the exports make them;
// only the program words and prints them.

#include <utility>
#include <vector>

#include "converter/findings/FindingKinds.h"
#include "converter/findings/FindingSubject.h"
#include "tmx/model/TmxFinding.h"

struct Finding {
    Severity severity = Severity::Warning;
    tmx::TmxLocation at;  // of the element it is about
    FindingSubject about;
    FindingData what;
};

using Findings = std::vector<Finding>;

// A finding of `what` with its kind's own severity.
template <class Kind>
Finding FindingOf(Kind what, tmx::TmxLocation at = {}, FindingSubject about = {}) {
    return {Kind::kSeverity, at, std::move(about), std::move(what)};
}
