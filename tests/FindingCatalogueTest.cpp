// The findings catalogue of the manual and the man page list exactly the kinds
// there are: every kind documented, none documented that does not exist.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>

#include "converter/findings/FindingText.h"

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// The text from the line that starts with `begin` up to the next that starts
// with `end`.
std::string Section(const std::string& text, const std::string& begin, const std::string& end) {
    const size_t from = text.find("\n" + begin);
    if (from == std::string::npos) return "";
    const size_t to = text.find("\n" + end, from + begin.size() + 1);
    return text.substr(from, to == std::string::npos ? std::string::npos : to - from);
}

std::set<std::string> RegisteredKinds() {
    std::set<std::string> kinds;
    for (const KindInfo& kind : FindingKinds())
        kinds.insert(kind.name);
    return kinds;
}

// The manual's catalogue: the table under "## Findings", each row's kinds in
// backticks in its first column.
TEST(FindingCatalogue, TheManualListsEveryKind) {
    const std::string section =
        Section(ReadFile(SOURCE_DIR "/docs/manual.md"), "## Findings", "## ");
    ASSERT_FALSE(section.empty());
    std::set<std::string> documented;
    const std::regex row(R"(\n\| ([^|]*)\|)");
    const std::regex name("`([a-z]+(-[a-z]+)*)`");
    for (auto r = std::sregex_iterator(section.begin(), section.end(), row);
         r != std::sregex_iterator(); ++r) {
        const std::string cell = (*r)[1];
        for (auto n = std::sregex_iterator(cell.begin(), cell.end(), name);
             n != std::sregex_iterator(); ++n)
            documented.insert((*n)[1]);
    }
    EXPECT_EQ(documented, RegisteredKinds());
}

// The man page's list, in bold between "The kinds:" and the pointer to the
// manual.
TEST(FindingCatalogue, TheManPageListsEveryKind) {
    const std::string section =
        Section(ReadFile(SOURCE_DIR "/man/VeltTileConverter.1.in"), "The kinds:", "What each");
    ASSERT_FALSE(section.empty());
    std::set<std::string> documented;
    const std::regex bold(R"(\n\.BR? ([a-z\\-]+))");
    for (auto b = std::sregex_iterator(section.begin(), section.end(), bold);
         b != std::sregex_iterator(); ++b) {
        // groff's "\-" is a hyphen.
        documented.insert(std::regex_replace((*b)[1].str(), std::regex(R"(\\-)"), "-"));
    }
    EXPECT_EQ(documented, RegisteredKinds());
}

}  // namespace
