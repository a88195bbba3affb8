// The game's tables as a team's spreadsheet saves them: what is taken, and
// every fault a config error at its line, the table then not used.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "converter/findings/FindingText.h"
#include "converter/workspace/TableFiles.h"

namespace {

// Each problem as "line:column: words": the column 1 where there is a line.
std::vector<std::string> Problems(const std::vector<TableProblem>& problems) {
    std::vector<std::string> said;
    for (const TableProblem& problem : problems)
        said.push_back(std::to_string(problem.finding.at.line) + ":" +
                       std::to_string(problem.finding.at.column) + ": " +
                       FindingText(problem.finding));
    return said;
}

using Said = std::vector<std::string>;

TEST(Tables, GroundTablesAsSpreadsheetsSaveThem) {
    std::vector<TableProblem> problems;
    // A byte order mark, CR LF, comments, the columns in another order and
    // case, a column of the team's own, a quoted cell, an empty colour.
    const auto table =
        GroundTableOf("game/ground.tsv",
                      "\xEF\xBB\xBF# The ground\r\n\r\nNotes\tWALKABLE\tName\tcode\tColour\r\n"
                      "ours\tyes\tgrass\t16\t#4C9A2A\r\n\tNo\t\"deep \"\"blue\"\" water\"\t50\t\r\n"
                      "  # a comment after the header\n\tyes\t road \t255\t#000000",
                      problems);
    ASSERT_NE(table, nullptr) << ::testing::PrintToString(Problems(problems));
    EXPECT_EQ(table->file(), "ground.tsv");
    EXPECT_TRUE(table->saysWalkable());
    ASSERT_NE(table->Of(16), nullptr);
    EXPECT_EQ(table->Of(16)->name, "grass");
    EXPECT_EQ(table->Of(16)->colour, 0x4C9A2Au);
    EXPECT_EQ(table->Of(16)->walkable, true);
    EXPECT_EQ(table->Of(50)->name, "deep \"blue\" water");
    EXPECT_FALSE(table->Of(50)->colour);
    EXPECT_EQ(table->Of(50)->walkable, false);
    EXPECT_EQ(table->Of(255)->name, "road");
    EXPECT_EQ(table->Of(255)->colour, 0u);
    EXPECT_EQ(table->Of(17), nullptr);
    EXPECT_EQ(table->Of(256), nullptr);
    EXPECT_EQ(table->Of(-1), nullptr);

    const auto plain = GroundTableOf("g.tsv", "code\tname\n16\tgrass\n", problems);
    ASSERT_NE(plain, nullptr);
    EXPECT_FALSE(plain->saysWalkable());
    EXPECT_FALSE(plain->Of(16)->walkable);
}

TEST(Tables, EveryFaultOfAGroundTableIsAtItsLine) {
    struct Case {
        const char* text;
        Said said;
    };
    for (const Case& broken : {
             Case{"code\tname\n-1\tx\n256\ty\n1e2\tz\n\tw\n",
                  {"2:1: the code \"-1\" is no ground code (0 to 255)",
                   "3:1: the code \"256\" is no ground code (0 to 255)",
                   "4:1: the code \"1e2\" is no ground code (0 to 255)",
                   "5:1: the code \"\" is no ground code (0 to 255)"}},
             Case{"code\tname\n16\tgrass\n17\t\n16\tsand\n",
                  {"3:1: the name is empty", "4:1: code 16 is listed twice (first at line 2)"}},
             Case{"code\tname\n16\ta\x01tab\n17\t\xff\xfe\n",
                  {"2:1: the name \"a\\x01tab\" holds a control character",
                   "3:1: the name \"\xff\xfe\" is not UTF-8"}},
             Case{"code\tname\tcolour\n16\tgrass\tgreen\n17\tsand\t#12345\n18\tdirt\t#12345g\n",
                  {"2:1: the colour \"green\" is not #rrggbb",
                   "3:1: the colour \"#12345\" is not #rrggbb",
                   "4:1: the colour \"#12345g\" is not #rrggbb"}},
             Case{"code\tname\twalkable\n16\tgrass\tmaybe\n17\tsand\t\n",
                  {"2:1: walkable takes yes or no, not \"maybe\"",
                   "3:1: walkable takes yes or no, not \"\""}},
             Case{"# only\n\nname\tcolour\n16\tx\n",
                  {"3:1: the header names no \"code\" column (the columns are named by the first "
                   "line that is no comment)"}},
             Case{"code\tCode\tname\n", {"1:1: the header names the column \"code\" twice"}},
             Case{"# nothing but comments\n",
                  {"0:0: the table holds no header line naming its "
                   "columns"}},
         }) {
        std::vector<TableProblem> problems;
        EXPECT_EQ(GroundTableOf("g.tsv", broken.text, problems), nullptr) << broken.text;
        EXPECT_EQ(Problems(problems), broken.said) << broken.text;
        for (const TableProblem& problem : problems)
            EXPECT_EQ(problem.path, "g.tsv");
    }
}

TEST(Tables, MobTablesAndTheirFaults) {
    std::vector<TableProblem> problems;
    const auto table = MobTableOf("mobs.tsv",
                                  "name\tnumber\nGoblin Shaman\t245\nCave Bat\t2405\nWolf\t100\n"
                                  "Lowest\t-2147483648\nHighest\t2147483647\n",
                                  problems);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(*table->NameOf(245), "Goblin Shaman");
    EXPECT_EQ(*table->NameOf(-2147483648), "Lowest");
    EXPECT_EQ(*table->NameOf(2147483647), "Highest");
    EXPECT_EQ(table->NameOf(2450), nullptr);
    EXPECT_EQ(table->size(), 5u);

    EXPECT_EQ(MobTableOf("m.tsv", "number\tname\n2147483648\tx\n12x\ty\n7\ta\n7\tb\n", problems),
              nullptr);
    EXPECT_EQ(Problems(problems),
              (Said{"2:1: the number 2147483648 is more than the game can hold (it reads 32 bits)",
                    "3:1: the number \"12x\" is no whole number",
                    "5:1: mob 7 is listed twice (first at line 4)"}));
}

// The mobs a mistyped number meant: a digit more, fewer or other, or two
// swapped, first, the nearest of those first; then the nearest in value.
TEST(Tables, TheNearestMobs) {
    std::vector<TableProblem> problems;
    const auto table = MobTableOf(
        "m.tsv", "number\tname\n245\tGoblin Shaman\n2405\tCave Bat\n2449\tx\n9000\ty\n1\tz\n",
        problems);
    ASSERT_NE(table, nullptr);
    const auto numbers = [&](int32_t number, size_t count) {
        std::vector<int32_t> found;
        for (const MobKind& mob : table->Nearest(number, count))
            found.push_back(mob.number);
        return found;
    };
    // 2450: 2405 two digits swapped (the nearer in value of the two slips),
    // 245 one left out; then 2449, the nearest in value.
    EXPECT_EQ(numbers(2450, 3), (std::vector<int32_t>{2405, 245, 2449}));
    EXPECT_EQ(numbers(2450, 1), (std::vector<int32_t>{2405}));
    // A listed number is not its own nearest.
    EXPECT_EQ(numbers(245, 2), (std::vector<int32_t>{2405, 1}));
    EXPECT_EQ(numbers(-5, 2), (std::vector<int32_t>{1, 245}));
    EXPECT_EQ(numbers(2147483647, 2), (std::vector<int32_t>{9000, 2449}));
    EXPECT_EQ(numbers(5, 10).size(), 5u);

    // A 9 typed for another digit, or typed in, is a slip too: before a
    // number nearer in value.
    const auto changed = MobTableOf("m.tsv", "number\tname\n9000\tx\n1234\ty\n", problems);
    const auto typedIn = MobTableOf("m.tsv", "number\tname\n1009\tx\n222\ty\n", problems);
    ASSERT_TRUE(changed != nullptr && typedIn != nullptr);
    EXPECT_EQ(changed->Nearest(1000, 1)[0].number, 9000);
    EXPECT_EQ(typedIn->Nearest(100, 1)[0].number, 1009);

    // As near below as above: the lower number first.
    const auto even = MobTableOf("m.tsv", "number\tname\n7200\tx\n4800\ty\n", problems);
    ASSERT_NE(even, nullptr);
    ASSERT_EQ(even->Nearest(6000, 1).size(), 1u);
    EXPECT_EQ(even->Nearest(6000, 1)[0].number, 4800);
}

TEST(Tables, AHundredThousandMobs) {
    std::string text = "number\tname\n";
    for (int32_t i = 0; i < 100000; ++i)
        text += std::to_string(i * 7) + "\tMob number " + std::to_string(i) + "\n";
    std::vector<TableProblem> problems;
    const auto table = MobTableOf("many.tsv", text, problems);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->size(), 100000u);
    EXPECT_EQ(*table->NameOf(699993), "Mob number 99999");
    EXPECT_EQ(table->NameOf(699994), nullptr);
}

}  // namespace
