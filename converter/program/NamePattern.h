#pragma once

// A world's pattern for the names of its maps: a regular expression as
// Tiled's worlds write it (ECMAScript), matching a whole name.

#include <optional>
#include <string>
#include <vector>

// The names the pattern matches, in their order; nothing when the pattern
// is no regular expression.
std::optional<std::vector<std::string>> NamesMatching(const std::string& pattern,
                                                      const std::vector<std::string>& names);
