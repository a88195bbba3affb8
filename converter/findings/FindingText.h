#pragma once

// The findings as users read them: their words, the names of their kinds,
// and the catalogue of every kind.

#include <string>
#include <vector>

#include "converter/findings/Finding.h"

// A finding in words, for a designer: what happened to which part of the map.
std::string FindingText(const Finding& finding);

// The name of a finding's kind, as users see it in brackets: "mob-number".
const char* KindName(const FindingData& what);

// The cells a finding names, or nullptr for a kind that names none.
const std::vector<Cell>* CellsOf(const FindingData& what);

// Every kind's name, default severity and what it is about (the catalogue's
// words), once each, in the order of FindingData.
struct KindInfo {
    const char* name;
    Severity severity;
    const char* about;
};
std::vector<KindInfo> FindingKinds();
