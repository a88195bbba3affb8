// The number readers must give libc's and the C++ stream's results, byte for
// byte, on every text a map file can hold.

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "TmxNumbers.h"

namespace {

const char* const kTexts[] = {
    "0",
    "7",
    "-4",
    "+5",
    "  12",
    "\t\n\v\f\r9",
    "12abc",
    " 12abc",
    "3.9",
    "-3.5",
    "0x1A",
    "1e5",
    "abc",
    "",
    " ",
    "+",
    "-",
    "- 5",
    "+-3",
    "--3",
    "007",
    "-0",
    "2147483647",
    "2147483648",
    "-2147483648",
    "-2147483649",
    "4294967295",
    "4294967296",
    "4294967297",
    "-4294967296",
    "9223372036854775807",
    "9223372036854775808",
    "-9223372036854775808",
    "-9223372036854775809",
    "18446744073709551615",
    "18446744073709551616",
    "99999999999999999999999",
    "-99999999999999999999999",
    "12,34",
    "1 2",
    "\xff"
    "5",
    "5\xff",
    "٣",
};

TEST(Numbers, ScanIntAgreesWithSscanf) {
    for (const char* text : kTexts) {
        int expected = -77;
        int32_t actual = -77;
        const bool read = std::sscanf(text, "%d", &expected) == 1;
        EXPECT_EQ(tmx::ScanInt(text, actual), read) << '[' << text << ']';
        EXPECT_EQ(actual, expected) << '[' << text << ']';
    }
}

TEST(Numbers, ScanUnsignedAgreesWithSscanf) {
    for (const char* text : kTexts) {
        unsigned expected = 77;
        uint32_t actual = 77;
        const bool read = std::sscanf(text, "%u", &expected) == 1;
        EXPECT_EQ(tmx::ScanUnsigned(text, actual), read) << '[' << text << ']';
        EXPECT_EQ(actual, expected) << '[' << text << ']';
    }
}

TEST(Numbers, ScanUnsignedAtStopsAtTheEndGiven) {
    const std::string text = "123,456";
    uint32_t value = 9;
    const char* next = tmx::ScanUnsignedAt(text.data(), text.data() + 2, value);
    EXPECT_EQ(value, 12u);
    EXPECT_EQ(next, text.data() + 2);
    EXPECT_EQ(tmx::ScanUnsignedAt(text.data() + 3, text.data() + 3, value), text.data() + 3);
    EXPECT_EQ(value, 12u);
}

TEST(Numbers, AtoiAgreesWithLibc) {
    for (const char* text : kTexts) {
        EXPECT_EQ(tmx::Atoi(text), std::atoi(text)) << '[' << text << ']';
    }
}

TEST(Numbers, ScanDoubleAndAtofAgreeWithLibc) {
    for (const char* text : {"1.0", " 1.5x", "-2e3", "abc", "", ".5", "inf", "1,5"}) {
        double expected = -7.0;
        double actual = -7.0;
        EXPECT_EQ(tmx::ScanDouble(text, actual), std::sscanf(text, "%lf", &expected) == 1);
        EXPECT_EQ(actual, expected) << '[' << text << ']';
        EXPECT_EQ(tmx::Atof(text), std::atof(text)) << '[' << text << ']';
    }
}

TEST(Numbers, ReadIntAgreesWithStreamsInRange) {
    for (const char* text : kTexts) {
        std::istringstream stream(text);
        int expected = 0;
        stream >> expected;
        // A C++11 stream stores the limit on overflow and fails; ReadInt gives 0.
        if (stream.fail() && (expected == INT_MAX || expected == INT_MIN)) expected = 0;
        EXPECT_EQ(tmx::ReadInt(text), expected) << '[' << text << ']';
    }
}

TEST(Numbers, ReadIntTable) {
    const struct {
        std::string text;
        int32_t value;
    } rows[] = {
        {"12", 12},
        {" 7", 7},
        {"12abc", 12},
        {"-3", -3},
        {"+5", 5},
        {"1.9", 1},
        {"0x1A", 0},
        {"abc", 0},
        {"", 0},
        {"-", 0},
        {"99999999999", 0},
        {"2147483648", 0},
        {"-2147483649", 0},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {" 17 ", 17},
        {std::string("4\0"
                     "2",
                     3),
         4},
    };
    for (const auto& row : rows)
        EXPECT_EQ(tmx::ReadInt(row.text), row.value) << '[' << row.text << ']';
}

}  // namespace
