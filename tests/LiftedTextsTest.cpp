// Layer texts lifted out of a document before TinyXML parses it: the parser
// must see the same document, each node where it was, and each lifted text
// must be what the parser would have kept of it.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "LiftedParse.h"

namespace {

// How many texts of `document` were lifted; the parser's view checked.
size_t LiftedAndChecked(const std::string& document) {
    size_t count = 0;
    EXPECT_EQ(lifted_parse::Difference(document, count), "") << document;
    return count;
}

std::string Map(const std::string& layers) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<map version=\"1.10\">\n"
           " <properties><property name=\"note\">two\n lines</property></properties>\n" +
           layers + "</map>\n";
}

TEST(LiftedTexts, TheParserSeesTheSameDocumentWithTheSameTexts) {
    // As Tiled writes them: CSV rows, base64 indented, an infinite map's
    // chunks, Windows line ends; what follows on the last line keeps its place.
    EXPECT_EQ(
        LiftedAndChecked(Map(" <layer id=\"1\">\n  <data encoding=\"csv\">\n1,2,3,\n"
                             "4,5,6\n</data>\n </layer>\n"
                             " <layer id=\"2\">\n  <data encoding=\"base64\">\n"
                             "   AQAAAAIAAAA=\n  </data><objectgroup id=\"3\"/>\n </layer>\n")),
        2u);
    EXPECT_EQ(LiftedAndChecked(Map(" <layer>\r\n  <data encoding=\"csv\">\r\n  <chunk x=\"0\">\r\n"
                                   "1,2,\r\n3,4\r\n</chunk><chunk x=\"16\">5,\t6,\v7,\f8  9 "
                                   "</chunk>\r\n  </data>\r\n </layer>\r\n")),
              2u);
    // Twelve layers: marks of two digits, each standing for its own text.
    std::string many;
    for (int i = 0; i < 12; ++i)
        many += "<layer><data encoding=\"csv\">\n" + std::to_string(i * 7) + ",1\n</data></layer>";
    EXPECT_EQ(LiftedAndChecked(Map(many)), 12u);
    // A text shorter than its mark stays; the next, as long as its mark, is lifted.
    EXPECT_EQ(LiftedAndChecked(Map("<layer><data>3</data><data>12</data></layer>")), 1u);
}

TEST(LiftedTexts, WhatTheParserReadsOtherwiseStays) {
    // An entity, bytes past ASCII, a text the document ends in, blank text.
    EXPECT_EQ(LiftedAndChecked(Map("<layer><data encoding=\"csv\">\n1,&#50;\n</data></layer>")),
              0u);
    EXPECT_EQ(LiftedAndChecked(Map("<layer><data>\n1,\xc3\xa9\n</data></layer>")), 0u);
    EXPECT_EQ(LiftedAndChecked("<map><layer><data encoding=\"csv\">\n1,2,3"), 0u);
    EXPECT_EQ(LiftedAndChecked(Map("<layer><data>\n \t\n</data></layer>")), 0u);
    // Other elements, empty ones, and data within comments, CDATA and quotes.
    EXPECT_EQ(LiftedAndChecked(Map("<layer><database>\n1,2\n</database><data/><data />"
                                   "<chunk:x>\n1,2\n</chunk:x></layer>")),
              0u);
    EXPECT_EQ(LiftedAndChecked(Map("<!-- <data>\n1,2\n</data> -->"
                                   "<properties><property name=\"a\"><![CDATA[<data>\n1,2\n"
                                   "</data>]]></property><property name=\"b\" value=\"<data>\n"
                                   "1,2\n</data>\"/></properties>")),
              0u);
    // Comments and CDATA end at their own ends, not at a ">" within.
    EXPECT_EQ(LiftedAndChecked(Map("<!-- a > b <data>\n1,2\n</data> --><properties><property "
                                   "name=\"a\"><![CDATA[a > b <data>\n1,2\n</data>]]></property>"
                                   "</properties>")),
              0u);
    // Where comments and CDATA end: "<!--->" is no whole comment, "<!---->" is one,
    // and so is an empty CDATA section; a data tag right after one is read.
    EXPECT_EQ(LiftedAndChecked(Map("<!---> <data>\n1,2\n</data> -->")), 0u);
    EXPECT_EQ(LiftedAndChecked(Map("<!----><layer><data>\n1,2\n</data></layer>")), 1u);
    EXPECT_EQ(LiftedAndChecked(Map("<properties><property name=\"a\"><![CDATA[]]></property>"
                                   "</properties><layer><!-- c --><data>\n1,2\n</data></layer>")),
              1u);
    // A quoted ">" inside the data's own tag, and a DOCTYPE before the map.
    EXPECT_EQ(LiftedAndChecked("<!DOCTYPE map>\n" + Map("<layer><data class='a>b'>\n1,2\n</data>"
                                                        "</layer>")),
              1u);
    // Markup the parser ends at its first ">" while quotes would end it later.
    EXPECT_EQ(
        LiftedAndChecked("<?xml version=\"1>0\"?>" + Map("<layer><data>\n1,2\n</data></layer>")),
        0u);
    // A UTF-8 sequence TinyXML reads whatever its bytes: cut short, it would
    // take markup for text; whole, nothing stops the lift.
    EXPECT_EQ(LiftedAndChecked(Map("<layer><data>\xe9 <chunk x=\"0\">\nAAAA\n</chunk>\n</data>"
                                   "<data>\n1,2\n</data></layer>")),
              0u);
    EXPECT_EQ(LiftedAndChecked(Map("<layer name=\"D\xc3\xb6rfer\"><data>\n1,2\n</data></layer>")),
              1u);
    // The marks' byte anywhere in the document: nothing is lifted.
    EXPECT_EQ(LiftedAndChecked(Map("<layer name=\"\x01\"><data>\n1,2\n</data></layer>")), 0u);
    // A parse that fails after a lifted text fails where it did.
    EXPECT_EQ(LiftedAndChecked(Map("<layer><data>\n1,2\n</data>\n  </lay></layer>")), 1u);
}

TEST(LiftedTexts, TilesAsTiledWritesThemAreLiftedAsTheirIds) {
    // A layer of XML tiles and an infinite map's chunks, with Windows line
    // ends: ids with flip flags, past 32 bits, at and past 64, empty tiles.
    const std::string map = Map(
        " <layer id=\"1\">\n  <data>\n   <tile gid=\"88\"/>\n   <tile/>\n"
        "   <tile gid=\"2684354561\"/>\n   <tile gid=\"4294967297\"/>\n"
        "   <tile gid=\"12345678901234567890\"/>\n   <tile gid=\"18446744073709551615\"/>\n"
        "   <tile gid=\"99999999999999999999\"/>\n   <tile gid=\"000000000000000000000007\"/>\n"
        "  </data>\n </layer>\r\n"
        " <layer id=\"2\">\r\n  <data>\r\n   <chunk x=\"0\" y=\"0\">\r\n    <tile gid=\"1\"/>\r\n"
        "    <tile gid=\"2\"/>\r\n   </chunk>\r\n   <chunk x=\"16\"><tile/><tile "
        "gid=\"3\"/></chunk>"
        "\r\n  </data>\r\n </layer>\r\n");
    EXPECT_EQ(LiftedAndChecked(map), 3u);
    const tmx::TmxLiftedTexts lifted = tmx::LiftLayerTexts(map.c_str());
    ASSERT_EQ(lifted.tiles.size(), 3u);
    EXPECT_EQ(lifted.tiles[0], (std::vector<uint32_t>{88, 0, 2684354561u, 1, 3944680146u,
                                                      4294967295u, 4294967295u, 7}));
    EXPECT_EQ(lifted.tiles[2], (std::vector<uint32_t>{0, 3}));
}

TEST(LiftedTexts, TilesOfAnyOtherShapeStay) {
    // Each as TinyXML reads it: no tile lifted, though the ones around are.
    for (const char* odd :
         {"<tile gid=\"1\" />", "<tile gid='1'/>", "<tile id=\"1\"/>", "<tile gid=\"\"/>",
          "<tile gid=\"+1\"/>", "<tile gid=\"1\"></tile>", "<tile gid=\"1\" x=\"2\"/>", "<tiles/>",
          "<tile gid=\"1\"/>text", "<tile gid=\"1\"/><!-- c -->", "<tile/><chunk x=\"0\"/>",
          "<tile gid=\"1/>\"/>"}) {
        SCOPED_TRACE(odd);
        EXPECT_EQ(LiftedAndChecked(Map("<layer><data>\n <tile gid=\"5\"/>\n " + std::string(odd) +
                                       "\n <tile/>\n</data></layer>")),
                  0u);
    }
    EXPECT_EQ(LiftedAndChecked("<map><layer><data>\n<tile gid=\"1\"/>\n"), 0u);
    EXPECT_EQ(LiftedAndChecked(Map("<layer><data>\n<tile/>\n</data><data>\n<tile id=\"1\"/>"
                                   "</data><data><tile/></data></layer>")),
              2u);
}

// Texts of every white space and the bytes of layer data, of any length, each
// followed by markup on its last line: the same document to the parser.
TEST(LiftedTexts, AnyPlainTextIsLiftedAsTheParserReadsIt) {
    std::mt19937 random(7);
    const std::string bytes = "0123456789,,,,AZaz+/=  \t\n\n\r\v\f";
    size_t lifted = 0;
    for (int round = 0; round < 300; ++round) {
        std::string layers;
        for (int layer = 0; layer < 3; ++layer) {
            std::string text;
            for (size_t n = random() % 40; n > 0; --n)
                text += bytes[random() % bytes.size()];
            layers += "<layer><data encoding=\"csv\">" + text + "</data>" +
                      (random() % 2 ? "<object x=\"1\"/>" : "\n") + "</layer>";
        }
        lifted += LiftedAndChecked(Map(layers));
    }
    EXPECT_GT(lifted, 500u);
}

// Tiles of the shapes Tiled writes and of others, between white space of
// every kind: the same document to the parser.
TEST(LiftedTexts, AnyRunOfTilesIsLiftedAsTheParserReadsIt) {
    std::mt19937 random(11);
    const char* const shapes[] = {"<tile/>",
                                  "<tile gid=\"7\"/>",
                                  "<tile gid=\"012\"/>",
                                  "<tile gid=\"\"/>",
                                  "<tile  gid=\"1\"/>",
                                  "<tile gid=\"3\" />",
                                  "<tile/ >",
                                  "<tile>",
                                  "x"};
    const std::string spaces = "  \t\n\n\r\v\f";
    size_t lifted = 0;
    for (int round = 0; round < 300; ++round) {
        std::string layers;
        for (int layer = 0; layer < 3; ++layer) {
            std::string tiles;
            for (size_t n = random() % 12; n > 0; --n) {
                // Mostly the shapes Tiled writes: about half the runs are lifted.
                tiles += shapes[random() % 40 == 0 ? random() % 9 : random() % 3];
                for (size_t blank = random() % 4; blank > 0; --blank)
                    tiles += spaces[random() % spaces.size()];
            }
            layers += "<layer><data>" + tiles + "</data>" + (random() % 2 ? "<object/>" : "\n") +
                      "</layer>";
        }
        lifted += LiftedAndChecked(Map(layers));
    }
    EXPECT_GT(lifted, 300u);
}

}  // namespace
