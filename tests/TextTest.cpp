// The small text helpers against plain references: one typo apart against a
// restricted Damerau-Levenshtein distance, lists in words against what the
// findings have always said.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "converter/text/Lists.h"
#include "converter/text/Typos.h"
#include "converter/text/WholeNumber.h"

namespace {

// The optimal string alignment distance: insertions, deletions,
// substitutions and swaps of two neighbours, each costing one.
size_t Distance(const std::string& a, const std::string& b) {
    std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
    for (size_t i = 0; i <= a.size(); ++i)
        d[i][0] = i;
    for (size_t j = 0; j <= b.size(); ++j)
        d[0][j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    }
    return d[a.size()][b.size()];
}

TEST(Text, OneTypoApartIsDistanceOne) {
    std::mt19937 random(41);
    const std::string letters = "abel";
    for (int round = 0; round < 20000; ++round) {
        std::string a;
        std::string b;
        for (size_t n = random() % 6; n > 0; --n)
            a += letters[random() % letters.size()];
        b = a;
        // Near words more often than far ones: a few edits of the first.
        for (size_t n = random() % 3; n > 0 && !b.empty(); --n) {
            const size_t at = random() % b.size();
            switch (random() % 3) {
                case 0:
                    b.erase(at, 1);
                    break;
                case 1:
                    b.insert(at, 1, letters[random() % letters.size()]);
                    break;
                default:
                    b[at] = letters[random() % letters.size()];
            }
        }
        EXPECT_EQ(OneTypoApart(a, b), Distance(a, b) == 1) << '"' << a << "\" \"" << b << '"';
    }
    EXPECT_TRUE(OneTypoApart("titel", "title"));
    EXPECT_FALSE(OneTypoApart("Titel", "title"));
}

TEST(Text, ListsInWords) {
    const auto same = [](const std::string& item) { return item; };
    const std::vector<std::string> three = {"a", "b", "c"};
    EXPECT_EQ(Listed(std::vector<std::string>{}, same), "");
    EXPECT_EQ(Listed(std::vector<std::string>{"a"}, same), "a");
    EXPECT_EQ(Listed(std::vector<std::string>{"a", "b"}, same), "a and b");
    EXPECT_EQ(Listed(three, same), "a, b and c");
    EXPECT_EQ(Listed(three, 5, same), "a, b, c and 2 more");
    EXPECT_EQ(Listed(three, 3, same, LastJoin::Comma), "a, b, c");
    EXPECT_EQ(Listed(three, 4, same, LastJoin::Comma), "a, b, c and 1 more");
}

TEST(Text, WholeNumbersFillTheirText) {
    EXPECT_EQ(WholeNumber("12"), 12);
    EXPECT_EQ(WholeNumber("-3"), -3);
    EXPECT_EQ(WholeNumber("2147483647"), 2147483647);
    for (const char* text : {"", "+1", "1x", " 1", "1 ", "2147483648", "-"})
        EXPECT_EQ(WholeNumber(text), std::nullopt) << text;
}

}  // namespace
