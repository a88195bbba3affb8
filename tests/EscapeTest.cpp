// Text from maps and zone scripts, whatever bytes it holds, made safe for
// each place it goes, checked against simdjson's UTF-8 validator and parser.

#include <gtest/gtest.h>
#include <simdjson.h>

#include <random>
#include <string>

#include "converter/text/Escape.h"

namespace {

// Short texts of the bytes that matter: control characters, quotes and
// backslashes, valid UTF-8 of every length, stray and cut sequences,
// surrogates, overlong forms, letters.
std::string RandomText(std::mt19937& random) {
    static const std::string kPieces[] = {
        "\t",
        "\r",
        "\n",
        "\x01",
        std::string(1, '\0'),
        "\x7f",
        "\"",
        "\\",
        "/",
        "\xc3\xa9",
        "\xe2\x82\xac",
        "\xf0\x9f\x98\x80",
        "\xef\xbf\xbf",
        "\x80",
        "\xe9",
        "\xc3",
        "\xe2\x82",
        "\xed\xa0\x80",
        "\xc0\xaf",
        "\xf4\x90\x80\x80",
        "a",
        "Z",
        " ",
    };
    std::string text;
    for (size_t n = random() % 10; n > 0; --n)
        text += kPieces[random() % std::size(kPieces)];
    return text;
}

bool IsUtf8(const std::string& text) {
    return simdjson::validate_utf8(text.data(), text.size());
}

// Walking a text by Utf8Length covers it exactly when simdjson calls it UTF-8.
TEST(TextEscape, Utf8LengthAgreesWithSimdjson) {
    std::mt19937 random(5);
    for (int round = 0; round < 20000; ++round) {
        std::string text = RandomText(random);
        if (round % 2 == 1) {  // any bytes at all, too
            text.clear();
            for (size_t n = random() % 6; n > 0; --n)
                text += static_cast<char>(random() % 256);
        }
        bool walks = true;
        for (size_t i = 0; i < text.size() && walks;) {
            const size_t length = Utf8Length(text, i);
            walks = length > 0;
            i += length;
        }
        EXPECT_EQ(walks, IsUtf8(text)) << JsonString(text);
    }
}

// Every string reads back as a JSON parser's valid string: as it was where
// it is UTF-8, with U+FFFD for what is not.
TEST(TextEscape, JsonStringsReadBackAsTheyWere) {
    std::mt19937 random(17);
    for (int round = 0; round < 5000; ++round) {
        const std::string text = RandomText(random);
        const simdjson::padded_string json("{\"m\":" + JsonString(text) + "}");
        simdjson::dom::parser parser;
        std::string_view back;
        ASSERT_EQ(parser.parse(json)["m"].get(back), simdjson::SUCCESS) << JsonString(text);
        if (IsUtf8(text)) {
            EXPECT_EQ(back, text);
        } else {
            EXPECT_NE(back.find("\xef\xbf\xbd"), std::string_view::npos);
        }
    }
}

// A line on a terminal: UTF-8, no control byte, and unchanged where there
// was nothing to escape.
TEST(TextEscape, VisibleTextIsOneLineOfUtf8) {
    std::mt19937 random(23);
    for (int round = 0; round < 5000; ++round) {
        const std::string text = RandomText(random);
        const std::string shown = VisibleText(text);
        EXPECT_TRUE(IsUtf8(shown)) << shown;
        bool plain = IsUtf8(text);
        for (const char c : text) {
            const auto byte = static_cast<unsigned char>(c);
            EXPECT_FALSE(byte < 0x20 && shown.find(c) != std::string::npos) << shown;
            plain = plain && byte >= 0x20 && byte != 0x7f;
        }
        if (plain) {
            EXPECT_EQ(shown, text);
        }
    }
    EXPECT_EQ(VisibleText(std::string("a\tb\r\n\0\x7f\xe9\xc3\xa9", 10)),
              "a\\tb\\r\\n\\x00\\x7f\\xe9\xc3\xa9");
}

// What ForXml keeps an XML document can hold: UTF-8 without the characters
// XML 1.0 forbids; UTF-8 that has none of them passes unchanged.
TEST(TextEscape, ForXmlKeepsOnlyWhatXmlHolds) {
    std::mt19937 random(29);
    for (int round = 0; round < 5000; ++round) {
        const std::string text = RandomText(random);
        const XmlReady ready = ForXml(text);
        EXPECT_TRUE(IsUtf8(ready.text)) << JsonString(text);
        EXPECT_EQ(ready.reread, !IsUtf8(text)) << JsonString(text);
        for (const char c : ready.text) {
            const auto byte = static_cast<unsigned char>(c);
            EXPECT_TRUE(byte >= 0x20 || c == '\t' || c == '\r' || c == '\n');
        }
        EXPECT_EQ(ready.text.find("\xef\xbf\xbf"), std::string::npos);
        if (!ready.reread && !ready.dropped) {
            EXPECT_EQ(ready.text, text);
        }
    }
    // Windows-1252 where it differs from Latin-1, and where it agrees.
    EXPECT_EQ(ForXml("\x80\x9f\xa0\xe9\xff").text, "\xe2\x82\xac\xc5\xb8\xc2\xa0\xc3\xa9\xc3\xbf");
}

}  // namespace
