// The writer's exact bytes, line ends included, and the header export.

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "TmxMap.h"
#include "ZoneExports.h"
#include "ZoneScript.h"

namespace {

TEST(ZoneScriptLines, HaveTheGameBytes) {
    ZoneScript script;
    script.WriteLevel(3);
    script.WriteRespawn(-60);
    script.WriteZoneTitle("Old Mill");
    script.WriteEmptyLine();
    const int16_t codes[6] = {16, 16, 17, 0, -1, 255};
    script.WriteTileRow(10001, 1, codes);
    script.WriteTilePlacement(10001, 12, 0);
    script.WriteMarkerCode(-1, -2, '*');
    script.WriteNumberCode(2, 3, -245);
    script.WritePathStart();
    script.WriteWaypoint(10001, 1, 3);
    EXPECT_EQ(script.bytes(),
              "#DEF_LEVEL\t3\t\r\r\n"
              "#DEF_RESPAWN\t-60\t\r\r\n"
              "#DEF_ZONETITLE\tOld Mill\t\r\r\n"
              "\r\n"
              "#DEF_TILE\t10001\t1\t16\t16\t17\t0\t-1\t255\t\r\n"
              "#IMP_TILE\t10001\t12\t0\r\n"
              "#DEF_CODE\t-1\t-2\t*\t0\t\r\r\n"
              "#DEF_CODE\t2\t3\t-245\t0\t\r\r\n"
              "\r\r\n"
              "#DEF_WAYPOINT\t10001\t1\t3\t\r\r\n");
}

TEST(ZoneScriptLines, TitleTextIsWrittenAsStoredUpToANul) {
    ZoneScript script;
    script.WriteZoneTitle("A\tB\nC");
    script.WriteZoneTitle(std::string("D\0E", 3));
    EXPECT_EQ(script.bytes(), "#DEF_ZONETITLE\tA\tB\r\nC\t\r\r\n#DEF_ZONETITLE\tD\t\r\r\n");
}

std::string HeaderOf(const std::string& properties) {
    tmx::TmxMap map;
    map.LoadFromText(MapText("<properties>" + properties + "</properties>"));
    ZoneScript script;
    ExportMapProperties(map, script);
    return script.bytes();
}

TEST(ZoneHeader, WritesPositiveNumbersAndRealTitles) {
    EXPECT_EQ(HeaderOf(R"(<property name="Level" value="3"/><property name="Respawn" value="60"/>
                          <property name="Title" value="Old Mill"/>)"),
              "#DEF_LEVEL\t3\t\r\r\n#DEF_RESPAWN\t60\t\r\r\n#DEF_ZONETITLE\tOld Mill\t\r\r\n\r\n");
    EXPECT_EQ(
        HeaderOf(R"(<property name="Title" value="T"/><property name="Respawn" value=" 12abc"/>
                          <property name="Level" value="7"/>)"),
        "#DEF_LEVEL\t7\t\r\r\n#DEF_RESPAWN\t12\t\r\r\n#DEF_ZONETITLE\tT\t\r\r\n\r\n");
}

TEST(ZoneHeader, LeavesOutWhatIsMissingOrNotPositive) {
    EXPECT_EQ(HeaderOf(""), "\r\n");
    for (const char* value : {"0", "-3", "abc", ""}) {
        const std::string v = value;
        EXPECT_EQ(HeaderOf("<property name=\"Level\" value=\"" + v +
                           "\"/><property name=\"Respawn\" value=\"" + v + "\"/>"),
                  "\r\n")
            << value;
    }
    EXPECT_EQ(HeaderOf(R"(<property name="level" value="5"/><property name="Title" value=""/>)"),
              "\r\n");
    EXPECT_EQ(HeaderOf(R"(<property name="Title" value="No such property!"/>)"), "\r\n");
    EXPECT_EQ(HeaderOf(R"(<property name="Title" value="&#9;tab and blank "/>)"),
              "#DEF_ZONETITLE\t\ttab and blank \t\r\r\n\r\n");
}

}  // namespace
