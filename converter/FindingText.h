#pragma once

#include <string>

#include "Finding.h"

// A finding in words, for a designer: what happened to which part of the map.
std::string FindingText(const Finding& finding);

// The name of a finding's kind, as users see it in brackets: "mob-number".
const char* KindName(const FindingData& what);
