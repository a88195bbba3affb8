// Findings in JSON read back by a JSON parser as they were, whatever bytes
// their names hold.

#include <gtest/gtest.h>
#include <simdjson.h>

#include <random>

#include "Diagnostics.h"

namespace {

TEST(Diagnostics, JsonStringsReadBackAsTheyWere) {
    std::mt19937 random(17);
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        for (size_t n = random() % 12; n > 0; --n) {
            switch (random() % 4) {
                case 0:
                    text += static_cast<char>(random() % 0x20);
                    break;  // control characters
                case 1:
                    text += "\"\\/"[random() % 3];
                    break;
                case 2:
                    text += "\xc3\xa9";
                    break;  // UTF-8 passes as it is
                default:
                    text += static_cast<char>('a' + random() % 26);
            }
        }
        const simdjson::padded_string json("{\"m\":" + JsonString(text) + "}");
        simdjson::dom::parser parser;
        std::string_view back;
        ASSERT_EQ(parser.parse(json)["m"].get(back), simdjson::SUCCESS) << JsonString(text);
        EXPECT_EQ(back, text);
    }
}

}  // namespace
