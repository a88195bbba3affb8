// The findings catalogue of the manual and the man page list exactly the kinds
// there are: every kind documented, none documented that does not exist.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
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

// The words between each pair of `open` and `close` in `text` that are kind
// names: lower-case words joined by hyphens (groff writes them "\\-").
std::set<std::string> NamesBetween(const std::string& text, const std::string& open,
                                   const std::string& close) {
    std::set<std::string> names;
    for (size_t at = text.find(open); at != std::string::npos;) {
        at += open.size();
        const size_t end = text.find_first_of(close, at);
        std::string name;
        for (size_t i = at; i < end && i < text.size(); ++i) {
            if (text.compare(i, 2, "\\-") == 0) continue;  // the hyphen follows
            name += text[i];
        }
        const bool isName =
            !name.empty() &&
            name.find_first_not_of("abcdefghijklmnopqrstuvwxyz-") == std::string::npos;
        if (isName) names.insert(name);
        at = end == std::string::npos ? end : text.find(open, end + 1);
    }
    return names;
}

// The manual's catalogue: the table under "## Findings", each row's kinds in
// backticks in its first column.
TEST(FindingCatalogue, TheManualListsEveryKind) {
    const std::string section =
        Section(ReadFile(SOURCE_DIR "/docs/manual.md"), "## Findings", "## ");
    ASSERT_FALSE(section.empty());
    std::string firstColumns;
    for (size_t row = section.find("\n| "); row != std::string::npos;
         row = section.find("\n| ", row + 1)) {
        firstColumns += section.substr(row, section.find(" |", row + 3) - row);
    }
    EXPECT_EQ(NamesBetween(firstColumns, "`", "`"), RegisteredKinds());
}

// The man page's list, in bold between "The kinds:" and the pointer to the
// manual.
TEST(FindingCatalogue, TheManPageListsEveryKind) {
    const std::string section =
        Section(ReadFile(SOURCE_DIR "/man/VeltTileConverter.1.in"), "The kinds:", "What each");
    ASSERT_FALSE(section.empty());
    std::set<std::string> documented = NamesBetween(section, "\n.B ", " \n");
    documented.merge(NamesBetween(section, "\n.BR ", " \n"));
    EXPECT_EQ(documented, RegisteredKinds());
}

}  // namespace
