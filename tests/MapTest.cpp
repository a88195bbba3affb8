// Loading a map: attributes, properties, the error record.

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "TmxMap.h"

using tmx::TmxLoadError;
using tmx::TmxMap;
using tmx::TmxOrientation;

namespace {

TEST(Properties, LaterValuesWinAcrossBlocks) {
    TmxMap map;
    map.LoadFromText(MapText(R"(<properties>
  <property name="Level" value="3"/><property name="Level" value="5"/>
  <property name="Title" value=""/><property name="Amp" value="a&amp;b"/>
  <property type="int" name="Typed" value="9"/>
  <property name="Text">Two
lines</property>
  <property value="no name"/>
  <group><property name="Deep" value="1"/></group>
</properties>
<properties><property name="Level" value="7"/></properties>)"));
    ASSERT_FALSE(map.failed());
    const tmx::TmxProperties& properties = map.properties();
    EXPECT_EQ(properties.ValueOf("Level"), "7");
    EXPECT_EQ(properties.ValueOf("level"), "No such property!");
    EXPECT_EQ(properties.ValueOf("Title"), "");
    EXPECT_EQ(properties.ValueOf("Amp"), "a&b");
    EXPECT_EQ(properties.ValueOf("Typed"), "9");
    EXPECT_EQ(properties.ValueOf("Text"), "Two lines");  // text content, condensed by TinyXML
    EXPECT_EQ(properties.ValueOf("Deep"), "No such property!");
    EXPECT_EQ(properties.entries().size(), 5u);

    const tmx::TmxProperties copy = properties;
    EXPECT_EQ(copy.ValueOf("Amp"), "a&b");
    EXPECT_EQ(copy.ValueOf("Missing"), "No such property!");
}

TEST(MapAttributes, AreReadLikeSscanf) {
    TmxMap map;
    map.LoadFromText(R"(<map version="1.0" orientation="isometric" width="20" height="15"
                          tilewidth="32" tileheight=" 32px"/>)");
    ASSERT_FALSE(map.failed());
    EXPECT_EQ(map.version(), 1.0);
    EXPECT_EQ(map.orientation(), TmxOrientation::Isometric);
    EXPECT_EQ(map.width(), 20);
    EXPECT_EQ(map.height(), 15);
    EXPECT_EQ(map.tileWidth(), 32);
    EXPECT_EQ(map.tileHeight(), 32);

    TmxMap odd;
    odd.LoadFromText(R"(<map version="x" orientation="Isometric" width="12abc" height="abc"
                          tilewidth="-4" tileheight="3.9"/>)");
    EXPECT_EQ(odd.version(), 0.0);
    EXPECT_EQ(odd.orientation(), TmxOrientation::Orthogonal);
    EXPECT_EQ(odd.width(), 12);
    EXPECT_EQ(odd.height(), 0);
    EXPECT_EQ(odd.tileWidth(), -4);
    EXPECT_EQ(odd.tileHeight(), 3);

    TmxMap staggered;
    staggered.LoadFromText(R"(<map orientation="staggered"/>)");
    EXPECT_EQ(staggered.orientation(), TmxOrientation::Staggered);
    TmxMap hexagonal;
    hexagonal.LoadFromText(R"(<map orientation="hexagonal"/>)");
    EXPECT_EQ(hexagonal.orientation(), TmxOrientation::Orthogonal);
}

TEST(MapFile, DirectoryIsTheTextUpToTheLastSlash) {
    const struct {
        const char* path;
        const char* directory;
    } rows[] = {{"maps/town.tmx", "maps/"},
                {"a/b/town.tmx", "a/b/"},
                {"town.tmx", ""},
                {"/town.tmx", ""},
                {"maps\\town.tmx", ""}};
    for (const auto& row : rows) {
        TmxMap map;
        map.LoadFromFile(row.path);
        EXPECT_EQ(map.sourcePath(), row.path);
        EXPECT_EQ(map.directory(), row.directory) << row.path;
    }
}

TEST(MapFile, ErrorsAreRecordedNotPrinted) {
    ScratchDir dir;
    TmxMap missing;
    missing.LoadFromFile(dir / "missing.tmx");
    EXPECT_TRUE(missing.failed());
    EXPECT_EQ(missing.errorCode(), TmxLoadError::OpenFailed);
    EXPECT_EQ(missing.errorMessage(), "Could not open the file.");

    TmxMap directory;
    directory.LoadFromFile(dir.path().string());
    EXPECT_EQ(directory.errorCode(), TmxLoadError::OpenFailed);

    WriteFile(dir / "empty.tmx", "");
    TmxMap empty;
    empty.LoadFromFile(dir / "empty.tmx");
    EXPECT_TRUE(empty.failed());
    EXPECT_EQ(empty.errorCode(), TmxLoadError::BadFileSize);
    EXPECT_EQ(empty.errorMessage(), "The size of the file is invalid.");

    WriteFile(dir / "broken.tmx",
              "<map width=\"10\"><properties><property name=\"a\" value=\"1\"/>"
              "</properties><layer name/></map>");
    TmxMap broken;
    broken.LoadFromFile(dir / "broken.tmx");
    EXPECT_TRUE(broken.failed());
    EXPECT_EQ(broken.errorCode(), TmxLoadError::XmlParseFailed);
    EXPECT_EQ(broken.errorMessage(), "Error reading Attributes.");
    EXPECT_EQ(broken.width(), 0);
    EXPECT_TRUE(broken.properties().entries().empty());

    TmxMap noMap;
    noMap.LoadFromText("<?xml version=\"1.0\"?><world width=\"3\"/>");
    EXPECT_EQ(noMap.errorCode(), TmxLoadError::XmlParseFailed);
    EXPECT_EQ(noMap.errorMessage(), "The document has no map element.");

    TmxMap good;
    WriteFile(dir / "good.tmx", MapText(""));
    good.LoadFromFile(dir / "good.tmx");
    EXPECT_FALSE(good.failed());
    EXPECT_EQ(good.errorCode(), TmxLoadError::None);
    EXPECT_EQ(good.width(), 10);
}

TEST(MapFile, NothingAfterANulByteIsParsed) {
    ScratchDir dir;
    WriteFile(dir / "nul.tmx", std::string("<map width=\"4\"/>\0<broken", 25));
    TmxMap map;
    map.LoadFromFile(dir / "nul.tmx");
    EXPECT_FALSE(map.failed());
    EXPECT_EQ(map.width(), 4);
}

}  // namespace

namespace {

std::string Nested(int levels, const std::string& open = "<g>", const std::string& close = "</g>") {
    std::string text = "<map>";
    for (int i = 1; i < levels; ++i)
        text += open;
    for (int i = 1; i < levels; ++i)
        text += close;
    return text + "</map>";
}

TEST(MapText, NestingIsBoundedBeforeTheXmlParser) {
    TmxMap atLimit;
    atLimit.LoadFromText(Nested(1000));
    EXPECT_FALSE(atLimit.failed()) << atLimit.errorMessage();

    for (const int levels : {1001, 200000}) {
        TmxMap deep;
        deep.LoadFromText(Nested(levels));
        EXPECT_EQ(deep.errorCode(), TmxLoadError::XmlParseFailed) << levels;
        EXPECT_EQ(deep.errorMessage(), "Elements are nested deeper than 1000 levels.");
    }
    // Unclosed elements nest as deep as closed ones.
    std::string unclosed = "<map>";
    for (int i = 0; i < 100000; ++i)
        unclosed += "<a>";
    TmxMap cut;
    cut.LoadFromText(unclosed);
    EXPECT_EQ(cut.errorMessage(), "Elements are nested deeper than 1000 levels.");
}

TEST(MapText, NestingCountsWhateverTinyXmlTakesForAnElement) {
    // TinyXML starts an element name with any byte from 127 up (found by
    // review: 100,000 nested "<\x7f>" crashed the parser before this check).
    for (const std::string open : {"<\x7f>", "<\xff>", "<\xc3\xa9>", "<_>", "< >", "<1>"}) {
        std::string text = "<map>";
        for (int i = 0; i < 100000; ++i)
            text += open;
        TmxMap map;
        map.LoadFromText(text);
        EXPECT_EQ(map.errorMessage(), "Elements are nested deeper than 1000 levels.");
    }
}

TEST(MapText, ElementsWithTooManyAttributesAreRefused) {
    std::string attributes;
    for (int i = 0; i < 64; ++i)
        attributes += " a" + std::to_string(i) + "=\"x=y\"";
    TmxMap tooMany;
    tooMany.LoadFromText("<map" + attributes + " width='3'/>");
    EXPECT_EQ(tooMany.errorMessage(), "An element has more than 64 attributes.");
    TmxMap atLimit;  // and an "=" inside a value is no attribute
    atLimit.LoadFromText("<map" + attributes + "/>");
    EXPECT_FALSE(atLimit.failed()) << atLimit.errorMessage();
}

TEST(MapText, OnlyElementsCountTowardNesting) {
    // Markup that opens no element: empty elements, comments, CDATA,
    // declarations, and "<" or ">" inside quoted attribute values.
    const std::string inert =
        R"(<e/><e a="/>"/><!-- <g> --><![CDATA[<g>]]><?pi <g>?><e a='<g>' b="x>"/>)";
    TmxMap map;
    map.LoadFromText(Nested(1000, "<g>" + inert));
    EXPECT_FALSE(map.failed()) << map.errorMessage();
}

}  // namespace
