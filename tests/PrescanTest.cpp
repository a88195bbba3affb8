// What the XML parser is never given: nesting and attribute counts it cannot
// afford, found before it runs, whatever markup holds them.

#include <gtest/gtest.h>

#include "tmx/decode/TmxPrescan.h"
#include "tmx/model/TmxMap.h"

namespace {

std::string Repeat(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

std::string Nested(int levels, const std::string& inside = "") {
    return "<map>" + Repeat("<g>" + inside, levels - 1) + Repeat("</g>", levels - 1) + "</map>";
}

TEST(Prescan, FindsWhatTheParserCannotAfford) {
    const std::string deep = "Elements are nested deeper than 1000 levels.";
    const std::string wide = "An element has more than 64 attributes.";
    // Markup that opens no element: empty elements, comments, CDATA,
    // declarations, and "<" or ">" inside quoted attribute values.
    const std::string inert =
        R"(<e/><e a="/>"/><!-- > <g> --><![CDATA[ > <g>]]><?pi <g>?><e a='<g>' b="x>"/>)";
    const std::string attributes = Repeat(" a=\"x=y\"", 64);
    const struct {
        std::string text;
        std::string problem;
    } rows[] = {
        {Nested(1000), ""},
        {Nested(1001), deep},
        {Nested(1000, inert), ""},
        {"<map>" + Repeat("<a>", 100000), deep},  // unclosed
        {"<map><></map>", ""},                    // a tag of no name, passed over once
        // Empty markup hides nothing after it.
        {"<map><![CDATA[]]><!----><?pi?>" + Repeat("<a>", 2000), deep},
        // TinyXML starts an element name with any byte from 127 up.
        {"<map>" + Repeat("<\x7f>", 2000), deep},
        {"<map>" + Repeat("<\xc3\xa9>", 2000), deep},
        {"<map>" + Repeat("< >", 2000), deep},
        {"<map>" + Repeat("<1>", 2000), deep},
        {"<map" + attributes + "/>", ""},  // an "=" inside a value is no attribute
        {"<map" + attributes + " w='3'/>", wide},
        {"<map a=\"" + Repeat("<g>", 2000), ""},  // cut short inside a value: the parser says so
    };
    for (const auto& row : rows)
        EXPECT_EQ(tmx::PrescanXml(row.text.c_str()), row.problem) << row.text.substr(0, 40);
}

// Found by fuzzing: TinyXML stepped past the end of a text that ends inside
// a UTF-8 sequence; the loader gives it room to (AddressSanitizer tells).
TEST(Prescan, TextsEndingInsideAUtf8SequenceAreParseErrors) {
    for (const char* lead : {"\xc3", "\xe2\x82", "\xf0\x9f\x98"}) {
        for (const char* start : {"<map a=\"1\" b=\"", "<map a", "<map>text", "<map><!--"}) {
            tmx::TmxMap map;
            map.LoadFromText(std::string(start) + "\xc3\xa9" + lead);
            EXPECT_EQ(map.errorCode(), tmx::TmxLoadError::XmlParseFailed) << start << lead;
        }
    }
}

}  // namespace
