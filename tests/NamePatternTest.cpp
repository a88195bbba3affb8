// A world's patterns: Tiled's dialect, whole names, and every pattern done
// within its bounds.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "converter/workspace/NamePattern.h"

namespace {

using Names = std::vector<std::string>;

TEST(NamePattern, MatchesWholeNamesInTheirOrder) {
    const Names names = {"town.tmx", "map_2_1.tmx", "old-town.tmx", "map_1_2.tmx", "town.tmx~"};
    EXPECT_EQ(NamesMatching(R"(map_(\d+)_(\d+)\.tmx)", names).names,
              (Names{"map_2_1.tmx", "map_1_2.tmx"}));
    // Whole names only: neither "old-town.tmx" nor "town.tmx~".
    EXPECT_EQ(NamesMatching(R"(town\.tmx)", names).names, (Names{"town.tmx"}));
    // An alternative that fails at the end is given up for the next.
    EXPECT_EQ(NamesMatching(R"((town|old-town)\.tmx|town\.tmx.)", names).names,
              (Names{"town.tmx", "old-town.tmx", "town.tmx~"}));
    EXPECT_TRUE(NamesMatching(R"(\d+)", {}).names.empty());
}

TEST(NamePattern, ReadsTiledsDialect) {
    const Names names = {"level12.tmx", "town.tmx", "townhall.tmx", "7-cave.tmx", "MARKET.tmx"};
    EXPECT_EQ(NamesMatching(R"(level\d++\.tmx)", names).names, (Names{"level12.tmx"}));
    // An atomic group keeps its first choice.
    EXPECT_EQ(NamesMatching(R"((?>town|townhall)\.tmx)", names).names, (Names{"town.tmx"}));
    EXPECT_EQ(NamesMatching(R"((?<n>\d+)-cave\.tmx)", names).names, (Names{"7-cave.tmx"}));
    EXPECT_EQ(NamesMatching(R"(\Atown\.tmx\z)", names).names, (Names{"town.tmx"}));
    EXPECT_EQ(NamesMatching(R"((?i)market\.TMX)", names).names, (Names{"MARKET.tmx"}));
    // A name's letters are characters, not bytes; one that is no UTF-8 is
    // read as Tiled reads it, its stray byte one character.
    const Names odd = {"caf\xc3\xa9.tmx", "caf\xe9.tmx", "cafe.tmx"};
    EXPECT_EQ(NamesMatching(R"(caf.\.tmx)", odd).names, odd);
    EXPECT_EQ(NamesMatching("caf\xc3\xa9\\.tmx", odd).names, (Names{"caf\xc3\xa9.tmx"}));
}

TEST(NamePattern, APatternThatCannotCompileSaysWhereAndTakesNothing) {
    const NamesMatched open = NamesMatching("cave-(", {"cave-("});
    EXPECT_TRUE(open.names.empty());
    EXPECT_EQ(open.problem, "missing closing parenthesis");
    EXPECT_EQ(open.offset, 6u);
    EXPECT_FALSE(open.tooCostlyOn);

    const std::string deep =
        std::string(kPatternMaxNesting + 1, '(') + "a" + std::string(kPatternMaxNesting + 1, ')');
    EXPECT_EQ(NamesMatching(deep, {"a"}).problem, "parentheses are too deeply nested");
    const std::string nested =
        std::string(kPatternMaxNesting - 1, '(') + "a" + std::string(kPatternMaxNesting - 1, ')');
    EXPECT_EQ(NamesMatching(nested, {"a"}).names, (Names{"a"}));

    std::string longest(kPatternMaxLength, 'a');
    EXPECT_EQ(NamesMatching(longest, {longest}).names, (Names{longest}));
    longest += 'a';
    EXPECT_EQ(NamesMatching(longest, {longest}).offset, 0u);
    EXPECT_FALSE(NamesMatching(longest, {longest}).problem.empty());
}

TEST(NamePattern, APatternThatBacktracksWithoutEndIsGivenUpAtOnce) {
    const Names names = {"ok.tmx", std::string(40, 'a') + ".tmx", "aab.tmx"};
    const auto started = std::chrono::steady_clock::now();
    const NamesMatched given = NamesMatching(R"((a|a?)+b\.tmx|ok\.tmx)", names);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
    EXPECT_EQ(given.problem, "match limit exceeded");
    EXPECT_EQ(given.tooCostlyOn, names[1]);
    EXPECT_TRUE(given.names.empty()) << "a name taken before the limit was kept";
}

}  // namespace
