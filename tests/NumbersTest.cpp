// The number readers against libc and the C++ stream, on random texts made of
// the pieces that decide a number's reading.

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>

#include "tmx/decode/TmxNumbers.h"

namespace {

std::string RandomNumberText(std::mt19937& random) {
    static const char* const kPieces[] = {" ",
                                          "\t",
                                          "\n",
                                          "\v",
                                          "\f",
                                          "\r",
                                          "+",
                                          "-",
                                          "0",
                                          "7",
                                          "12",
                                          "009",
                                          ".5",
                                          "e3",
                                          "x",
                                          "abc",
                                          "2147483647",
                                          "2147483648",
                                          "4294967295",
                                          "4294967296",
                                          "9223372036854775807",
                                          "9223372036854775808",
                                          "9223372036854775809",
                                          "18446744073709551615",
                                          "18446744073709551616",
                                          "99999999999999999999999",
                                          ",",
                                          "\xff",
                                          "\xd9\xa3"};
    std::string text;
    for (size_t n = random() % 5; n > 0; --n)
        text += kPieces[random() % std::size(kPieces)];
    return text;
}

TEST(Numbers, AgreeWithLibcAndStreams) {
#ifndef __GLIBC__
    GTEST_SKIP() << "the reference is glibc's, whose 64-bit rules the readers keep everywhere";
#endif
    std::mt19937 random(20261206);
    for (int round = 0; round < 20000; ++round) {
        const std::string text = RandomNumberText(random);
        const char* c = text.c_str();

        int libcInt = -77;
        int32_t ownInt = -77;
        ASSERT_EQ(tmx::ScanInt(c, ownInt), std::sscanf(c, "%d", &libcInt) == 1)
            << '[' << text << ']';
        ASSERT_EQ(ownInt, libcInt) << '[' << text << ']';

        unsigned libcUnsigned = 77;
        uint32_t ownUnsigned = 77;
        ASSERT_EQ(tmx::ScanUnsigned(c, ownUnsigned), std::sscanf(c, "%u", &libcUnsigned) == 1);
        ASSERT_EQ(ownUnsigned, libcUnsigned) << '[' << text << ']';

        ASSERT_EQ(tmx::Atoi(c), std::atoi(c)) << '[' << text << ']';

        // A C++11 stream stores the limit on overflow and fails; the game's
        // reader started from 0 and kept it.
        std::istringstream stream(text);
        int streamed = 0;
        stream >> streamed;
        if (stream.fail() && (streamed == INT_MAX || streamed == INT_MIN)) streamed = 0;
        ASSERT_EQ(tmx::ReadInt(text), streamed) << '[' << text << ']';

        // A whole number: strtol takes all of it but white space, within 32 bits.
        char* end = nullptr;
        errno = 0;
        const long whole = std::strtol(c, &end, 10);
        const bool converted = end != c;
        while (end != nullptr && *end != '\0' && tmx::IsCSpace(*end))
            ++end;
        const bool isWhole = converted && *end == '\0' && errno == 0 && whole >= INT_MIN &&
                             whole <= INT_MAX && text.find('\0') == std::string::npos;
        ASSERT_EQ(tmx::IsWholeNumber(text), isWhole) << '[' << text << ']';
    }
}

TEST(Numbers, ScanUnsignedAtStopsAtTheEndGiven) {
    const std::string text = "123,456";
    uint32_t value = 9;
    EXPECT_EQ(tmx::ScanUnsignedAt(text.data(), text.data() + 2, value), text.data() + 2);
    EXPECT_EQ(value, 12u);
    EXPECT_EQ(tmx::ScanUnsignedAt(text.data() + 3, text.data() + 3, value), text.data() + 3);
    EXPECT_EQ(value, 12u);
}

}  // namespace
