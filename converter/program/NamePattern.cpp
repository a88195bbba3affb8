#include "converter/program/NamePattern.h"

#include <regex>

std::optional<std::vector<std::string>> NamesMatching(const std::string& pattern,
                                                      const std::vector<std::string>& names) {
    std::regex matching;
    try {
        matching = std::regex(pattern, std::regex::ECMAScript);
    } catch (const std::regex_error&) {
        return std::nullopt;
    }
    std::vector<std::string> matched;
    for (const std::string& name : names)
        if (std::regex_match(name, matching)) matched.push_back(name);
    return matched;
}
