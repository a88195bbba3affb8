// Object groups: the model's reading of objects and shapes, and the exact
// #DEF_CODE / #DEF_WAYPOINT lines the export makes of them.

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "TmxMap.h"
#include "ZoneExports.h"

namespace {

const tmx::TmxObject& OnlyObject(const tmx::TmxMap& map) {
    return map.objectGroups().at(0).objects().at(0);
}

std::string ObjectLines(const std::string& groups) {
    tmx::TmxMap map;
    map.LoadFromText(MapText(groups));
    EXPECT_FALSE(map.failed()) << map.errorMessage();
    ZoneScript script;
    ExportObjectGroups(map, script);
    return script.bytes();
}

TEST(ObjectModel, GroupAndObjectAttributes) {
    tmx::TmxMap map;
    map.LoadFromText(MapText(R"(
<objectgroup name="Zones" width="5" visible="0">
  <properties><property name="p" value="1"/></properties>
  <object id="1" name="In" type="door" x="12.75" y="-3" width="32" height="16" gid="7">
    <properties><property name="q" value="2"/></properties>
  </object>
  <object/>
</objectgroup>
<objectgroup name="Mobs"/>)"));
    ASSERT_EQ(map.objectGroups().size(), 2u);
    const tmx::TmxObjectGroup& zones = map.objectGroups()[0];
    EXPECT_EQ(zones.name(), "Zones");
    EXPECT_EQ(zones.width(), 5);
    EXPECT_EQ(zones.visible(), 0);
    EXPECT_EQ(map.objectGroups()[1].visible(), 1);
    EXPECT_EQ(zones.properties().ValueOf("p"), "1");
    ASSERT_EQ(zones.objects().size(), 2u);
    const tmx::TmxObject& door = zones.objects()[0];
    EXPECT_EQ(door.name(), "In");
    EXPECT_EQ(door.type(), "door");
    EXPECT_EQ(door.x(), 12);
    EXPECT_EQ(door.y(), -3);
    EXPECT_EQ(door.width(), 32);
    EXPECT_EQ(door.height(), 16);
    EXPECT_EQ(door.gid(), 7);
    EXPECT_EQ(door.properties().ValueOf("q"), "2");
    EXPECT_FALSE(door.ellipse() || door.polygon() || door.polyline());
    EXPECT_EQ(zones.objects()[1].name(), "");
    EXPECT_EQ(zones.objects()[1].x(), 0);
}

TEST(ObjectModel, EllipseFromTheRectangleWhereverItsChildStands) {
    const struct {
        const char* attributes;
        tmx::TmxEllipse expected;
    } rows[] = {
        {R"(x="64" y="96" width="32" height="16")", {80, 104, 16, 8}},
        {R"(x="64" y="96" width="5" height="-5")", {66, 94, 2, -2}},
        {R"(x="2147483647" width="4")", {-2147483647, 0, 2, 0}},  // wraps, no overflow
    };
    for (const auto& row : rows) {
        tmx::TmxMap map;
        map.LoadFromText(MapText(std::string("<objectgroup><object ") + row.attributes +
                                 "><properties/><ellipse/></object></objectgroup>"));
        const auto& ellipse = OnlyObject(map).ellipse();
        ASSERT_TRUE(ellipse) << row.attributes;
        EXPECT_EQ(ellipse->centerX, row.expected.centerX) << row.attributes;
        EXPECT_EQ(ellipse->centerY, row.expected.centerY) << row.attributes;
        EXPECT_EQ(ellipse->radiusX, row.expected.radiusX) << row.attributes;
        EXPECT_EQ(ellipse->radiusY, row.expected.radiusY) << row.attributes;
    }
}

std::vector<std::pair<int, int>> PolylinePoints(const std::string& points) {
    tmx::TmxMap map;
    map.LoadFromText(MapText("<objectgroup><object><polyline points=\"" + points +
                             "\"/></object></objectgroup>"));
    std::vector<std::pair<int, int>> result;
    for (const tmx::TmxPoint& p : OnlyObject(map).polyline()->points())
        result.emplace_back(p.x, p.y);
    return result;
}

TEST(ObjectModel, PointsSplitAtSpacesAndRepeatWhatCannotBeRead) {
    using Points = std::vector<std::pair<int, int>>;
    const Points three{{0, 0}, {32, 0}, {32, 64}};
    EXPECT_EQ(PolylinePoints("0,0 32,0 32,64"), three);
    EXPECT_EQ(PolylinePoints("  0,0  32,0   32,64 "), three);
    EXPECT_EQ(PolylinePoints(""), Points{});
    EXPECT_EQ(PolylinePoints("10.5,3"), (Points{{10, 0}}));
    EXPECT_EQ(PolylinePoints("4,5 10.5,3 x,7 8 ,9 -1,-2"),
              (Points{{4, 5}, {10, 5}, {10, 5}, {8, 5}, {8, 5}, {-1, -2}}));
    EXPECT_EQ(PolylinePoints("1, 2 3,&#9;4 5&#9;,6"), (Points{{1, 0}, {2, 0}, {3, 4}, {5, 4}}));
    EXPECT_EQ(PolylinePoints("1,2&#9;3,4"), (Points{{1, 2}}));  // a tab does not separate
}

TEST(ObjectModel, ShapesCanCombineAndMayHaveNoPoints) {
    tmx::TmxMap map;
    map.LoadFromText(MapText(R"(<objectgroup><object>
        <polygon/><polyline points="1,1"/><polyline points="9,9 8,8"/></object></objectgroup>)"));
    const tmx::TmxObject& object = OnlyObject(map);
    ASSERT_TRUE(object.polygon());
    EXPECT_TRUE(object.polygon()->points().empty());
    ASSERT_TRUE(object.polyline());
    ASSERT_EQ(object.polyline()->points().size(), 1u);  // the first polyline only
}

TEST(ObjectExport, OnlyTheFiveGroupNamesCountExactly) {
    EXPECT_EQ(ObjectLines(R"(
<objectgroup name="Mobs"><object name="245" x="64" y="96"/></objectgroup>
<objectgroup name="Decor"><object name="In" x="64" y="96"/></objectgroup>
<objectgroup name="Traps"><object name="x" x="32" y="0"/></objectgroup>
<objectgroup name="mobs"><object name="1"/></objectgroup>
<objectgroup name="Zones "><object name="In"/></objectgroup>
<objectgroup name="Fields"><object name="In"/></objectgroup>
<objectgroup><object name="In"/></objectgroup>
<objectgroup name="Mobs"><object name="3"/></objectgroup>)"),
              "#DEF_CODE\t2\t3\t245\t0\t\r\r\n"
              "#DEF_CODE\t1\t0\t*\t0\t\r\r\n"
              "#DEF_CODE\t0\t0\t3\t0\t\r\r\n");
}

TEST(ObjectExport, ZonesMarkEntriesAndExitsByExactName) {
    EXPECT_EQ(ObjectLines(R"(<objectgroup name="Zones">
  <object name="In" x="40" y="100"/><object name="in"/><object name="IN"/>
  <object name="OUT" x="0" y="31"/><object name="Out"/><object name="out"/>
  <object name="iN"/><object name=" In"/><object name="Gate"/><object/>
  <object name="In" x="40" y="100"/>
</objectgroup>)"),
              "#DEF_CODE\t1\t3\t>\t0\t\r\r\n"
              "#DEF_CODE\t0\t0\t>\t0\t\r\r\n"
              "#DEF_CODE\t0\t0\t>\t0\t\r\r\n"
              "#DEF_CODE\t0\t0\t<\t0\t\r\r\n"
              "#DEF_CODE\t0\t0\t<\t0\t\r\r\n"
              "#DEF_CODE\t0\t0\t<\t0\t\r\r\n"
              "#DEF_CODE\t1\t3\t>\t0\t\r\r\n");
}

TEST(ObjectExport, MobNumbersComeFromTheNameAsAStreamReadsIt) {
    EXPECT_EQ(ObjectLines(R"(<objectgroup name="Mobs">
  <object name="goblin"/><object name=" 17 "/><object name="-4"/><object name="+5"/>
  <object name="1.9"/><object name="99999999999"/><object/>
</objectgroup>)"),
              "#DEF_CODE\t0\t0\t0\t0\t\r\r\n"
              "#DEF_CODE\t0\t0\t17\t0\t\r\r\n"
              "#DEF_CODE\t0\t0\t-4\t0\t\r\r\n"
              "#DEF_CODE\t0\t0\t5\t0\t\r\r\n"
              "#DEF_CODE\t0\t0\t1\t0\t\r\r\n"
              "#DEF_CODE\t0\t0\t0\t0\t\r\r\n"
              "#DEF_CODE\t0\t0\t0\t0\t\r\r\n");
}

TEST(ObjectExport, CellsRoundTowardMinusInfinity) {
    EXPECT_EQ(ObjectLines(R"(<objectgroup name="Traps">
  <object x="-1" y="-33"/><object x="-32" y="31"/><object x="32" y="-3.5"/>
  <object x="-2147483648" y="2147483647"/>
</objectgroup>)"),
              "#DEF_CODE\t-1\t-2\t*\t0\t\r\r\n"
              "#DEF_CODE\t-1\t0\t*\t0\t\r\r\n"
              "#DEF_CODE\t1\t-1\t*\t0\t\r\r\n"
              "#DEF_CODE\t-67108864\t67108863\t*\t0\t\r\r\n");
}

TEST(ObjectExport, WaypointPathsTakeNamedOrCountedIds) {
    EXPECT_EQ(ObjectLines(R"(
<objectgroup name="Waypoints">
  <object name="5" x="32" y="96"><polyline points="0,0 64,32"/></object>
  <object x="0" y="0"><polyline points="0,0"/></object>
  <object name="7" x="0" y="0"><polyline points="32,32"/></object>
  <object name="north"><polyline points="64,0"/></object>
  <object name="0" x="10" y="10"><polygon points="0,0 5,5"/></object>
  <object name="box" width="32" height="32"/>
  <object><ellipse/></object>
  <object><polyline/></object>
</objectgroup>
<objectgroup name="Mobs"><object name="1"/></objectgroup>
<objectgroup name="Waypoints">
  <object name="0" x="-1" y="0"><polyline points="-32,0 0,-1"/></object>
</objectgroup>)"),
              "\r\r\n"
              "#DEF_WAYPOINT\t5\t1\t3\t\r\r\n"
              "#DEF_WAYPOINT\t5\t3\t4\t\r\r\n"
              "\r\r\n"
              "#DEF_WAYPOINT\t10001\t0\t0\t\r\r\n"
              "\r\r\n"
              "#DEF_WAYPOINT\t7\t1\t1\t\r\r\n"
              "\r\r\n"
              "#DEF_WAYPOINT\t10002\t2\t0\t\r\r\n"
              "\r\r\n"
              "\r\r\n"
              "\r\r\n"
              "\r\r\n"
              "#DEF_CODE\t0\t0\t1\t0\t\r\r\n"
              "\r\r\n"
              "#DEF_WAYPOINT\t10003\t-2\t0\t\r\r\n"
              "#DEF_WAYPOINT\t10003\t-1\t-1\t\r\r\n");
}

TEST(ObjectExport, NoGroupsNoLines) {
    EXPECT_EQ(ObjectLines(""), "");
    EXPECT_EQ(ObjectLines(R"(<objectgroup name="Mobs"/>)"), "");
}

TEST(ObjectModel, OrderIndexIsSharedByAllLayerKinds) {
    tmx::TmxMap map;
    map.LoadFromText(MapText(R"(<layer name="a"/><tileset firstgid="1"/><objectgroup/>
                                <imagelayer/><!-- layer --><layer name="b"/>)"));
    ASSERT_EQ(map.layers().size(), 2u);
    EXPECT_EQ(map.layers()[0].orderIndex(), 0);
    EXPECT_EQ(map.objectGroups().at(0).orderIndex(), 1);
    EXPECT_EQ(map.imageLayers().at(0).orderIndex(), 2);
    EXPECT_EQ(map.layers()[1].orderIndex(), 3);
    EXPECT_EQ(map.layers()[1].name(), "b");
}

}  // namespace
