#pragma once

// A world's pattern for the names of its maps: a regular expression in the
// dialect Tiled reads worlds with (Qt's, which is PCRE2's), matching a whole
// name. A world file is input like a map: whatever its patterns, matching
// ends within a bounded time and memory, or the pattern fails with why.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// What a pattern gave: the names it matches, in their order; or, where it
// cannot be used, why (in PCRE2's words, with the offset in the pattern
// where it can say one), and none of the names.
struct NamesMatched {
    std::vector<std::string> names;
    std::string problem;                     // "" where the pattern could be used
    std::optional<size_t> offset;            // in the pattern, of what it could not compile
    std::optional<std::string> tooCostlyOn;  // the name whose match hit a limit
};

NamesMatched NamesMatching(const std::string& pattern, const std::vector<std::string>& names);

// The bounds a pattern is held to: its length and nesting when compiled;
// the steps, depth and memory of one match.
inline constexpr size_t kPatternMaxLength = 16384;
inline constexpr unsigned kPatternMaxNesting = 64;
inline constexpr unsigned kMatchSteps = 1000000;
inline constexpr unsigned kMatchDepth = 10000;
inline constexpr unsigned kMatchHeapKiB = 16384;
