// A polyline's points against C's reading of each space-separated token as
// "%d,%d": what it reads, what it keeps of the point before, and which
// tokens it does not read whole.

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

#include "tmx/read/TmxPointsText.h"

namespace {

TEST(Points, ReadAsSscanfReadsEachToken) {
#ifndef __GLIBC__
    GTEST_SKIP() << "the reference is glibc's, whose 64-bit rules the readers keep everywhere";
#endif
    const char* const pieces[] = {"0",
                                  "7",
                                  "-32",
                                  "+5",
                                  "64",
                                  "2147483647",
                                  ",",
                                  ",",
                                  ".",
                                  ".5",
                                  "x",
                                  "\t",
                                  "e3",
                                  "1",
                                  "-",
                                  "",
                                  "9",
                                  "9223372036854775807",
                                  "9223372036854775808",
                                  "18446744073709551615"};
    std::mt19937 random(11);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        std::vector<std::string> tokens;
        for (size_t n = random() % 6; n > 0; --n) {
            std::string token;
            for (size_t k = 1 + random() % 4; k > 0; --k)
                token += pieces[random() % std::size(pieces)];
            if (token.empty()) continue;
            tokens.push_back(token);
            text += std::string(1 + random() % 2, ' ') + token;
        }
        tmx::TmxPointList points;
        tmx::ReadPointsText(text, points);
        ASSERT_EQ(points.points().size(), tokens.size()) << text;
        tmx::TmxPoint previous;
        size_t partial = 0;
        for (size_t i = 0; i < tokens.size(); ++i) {
            int x = previous.x;
            int y = previous.y;
            int used = -1;
            const int read = std::sscanf(tokens[i].c_str(), "%d,%d%n", &x, &y, &used);
            const bool whole = read == 2 && used == static_cast<int>(tokens[i].size());
            EXPECT_EQ(points.points()[i].x, x) << '"' << tokens[i] << '"';
            EXPECT_EQ(points.points()[i].y, y) << '"' << tokens[i] << '"';
            previous = {x, y};
            if (whole) continue;
            if (partial++ == 0) {
                ASSERT_TRUE(points.firstPartial().has_value());
                EXPECT_EQ(points.firstPartial()->index, i);
                EXPECT_EQ(points.firstPartial()->text, tokens[i]);
            }
        }
        EXPECT_EQ(points.partialCount(), partial) << '"' << text << '"';
        EXPECT_EQ(points.firstPartial().has_value(), partial > 0);
    }
}

}  // namespace
