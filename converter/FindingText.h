#pragma once

#include <string>

#include "TmxFinding.h"

// A finding in words, for a designer: what happened to which part of the map.
std::string FindingText(const tmx::TmxFinding& finding);
