// A project's property types laid on a map as Tiled shows them: its class's
// defaults, its enums' names; the project and world files themselves.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "converter/workspace/Projects.h"
#include "tmx/model/TmxMap.h"
#include "tmx/read/TmxProject.h"

namespace {

const char kProject[] = R"({
  "folders": ["maps", "shared"],
  "propertyTypes": [
    {"id": 1, "name": "Zone", "type": "class", "useAs": ["map"], "members": [
      {"name": "Level", "type": "int", "value": 10},
      {"name": "Respawn", "type": "int", "propertyType": "Speed", "value": 2},
      {"name": "Title", "type": "string", "value": "Unnamed"},
      {"name": "Ratio", "type": "float", "value": 0.5},
      {"name": "Weather", "type": "class", "propertyType": "Sky", "value": {"Rain": true}}]},
    {"id": 2, "name": "Speed", "type": "enum", "storageType": "int",
     "values": ["15", "30", "60"], "valuesAsFlags": false},
    {"id": 3, "name": "Names", "type": "enum", "storageType": "int",
     "values": ["North", "Deep", "Caves"], "valuesAsFlags": true},
    {"id": 4, "name": "Tier", "type": "enum", "storageType": "string",
     "values": ["Bronze", "Gold"], "valuesAsFlags": false},
    {"id": 5, "name": "Chest", "type": "class", "useAs": ["object"], "members": [
      {"name": "Level", "type": "int", "value": 99}]},
    {"id": 6, "name": "Old", "type": "class", "members": [
      {"name": "Level", "type": "int", "value": 7}]},
    {"id": 7, "name": "Plain", "type": "enum", "storageType": "int", "values": ["a", "b", "c"]}
  ]})";

tmx::TmxProject Project() {
    tmx::TmxProject project;
    EXPECT_EQ(tmx::ReadProject(kProject, project), "");
    return project;
}

// A map of class `className` (none where empty) with `properties` written.
void Load(tmx::TmxMap& map, const std::string& className, const std::string& properties) {
    map.LoadFromText("<map width=\"1\" height=\"1\" tilewidth=\"32\" tileheight=\"32\"" +
                     (className.empty() ? std::string() : " class=\"" + className + "\"") +
                     "><properties>" + properties + "</properties></map>");
    EXPECT_FALSE(map.failed()) << map.errorMessage();
}

// Each property as name=value, with what a project set of it.
std::string Described(const tmx::TmxMap& map) {
    std::string text;
    for (const auto& [name, property] : map.properties().entries()) {
        text += name + "=" + property.value;
        if (!property.type.empty()) text += " " + property.type;
        if (!property.propertyType.empty()) text += " of " + property.propertyType;
        if (property.declared) text += " declared";
        if (property.stored) text += " stored " + *property.stored;
        if (property.fromClass) text += " default";
        text += "; ";
    }
    return text;
}

TEST(Project, ClassMembersFillWhatTheMapDoesNotWrite) {
    const tmx::TmxProject project = Project();
    tmx::TmxMap map;
    Load(map, "Zone", R"(<property name="Title" value="Old mill"/>
      <property name="Level" type="int" value="3"/>)");
    EXPECT_EQ(tmx::ApplyProject(&project, map), tmx::TmxClassUse::Applied);
    EXPECT_EQ(Described(map),
              "Level=3 int; Ratio=0.5 float default; Respawn=60 int of Speed declared stored 2 "
              "default; Title=Old mill; Weather= class of Sky default; ");
    // A member filled in stands where the map's class is written.
    EXPECT_EQ(map.properties().Find("Ratio")->at.line, map.location().line);
    EXPECT_EQ(map.properties().Find("Ratio")->at.column, map.location().column);
}

TEST(Project, WhatBecomesOfAClass) {
    const tmx::TmxProject project = Project();
    const struct {
        const char* className;
        const tmx::TmxProject* project;
        tmx::TmxClassUse use;
        const char* properties;
    } rows[] = {
        {"", &project, tmx::TmxClassUse::None, ""},
        {"Zone", nullptr, tmx::TmxClassUse::NoProject, ""},
        {"Village", &project, tmx::TmxClassUse::Undeclared, ""},
        {"Speed", &project, tmx::TmxClassUse::Undeclared, ""},  // an enum, not a class
        {"Chest", &project, tmx::TmxClassUse::NotForMaps, ""},
        // Tiled 1.8's classes say nothing of what they are for.
        {"Old", &project, tmx::TmxClassUse::Applied, "Level=7 int default; "},
    };
    for (const auto& row : rows) {
        tmx::TmxMap map;
        Load(map, row.className, "");
        EXPECT_EQ(tmx::ApplyProject(row.project, map), row.use) << row.className;
        EXPECT_EQ(Described(map), row.properties) << row.className;
    }
}

TEST(Project, EnumsShowAsTiledShowsThem) {
    const tmx::TmxProject project = Project();
    const struct {
        const char* property;
        const char* described;
    } rows[] = {
        {R"(type="int" propertytype="Speed" value="0")", "P=15 int of Speed declared stored 0; "},
        {R"(type="int" propertytype="Speed" value="3")", "P=3 int of Speed declared; "},
        {R"(type="int" propertytype="Speed" value="-1")", "P=-1 int of Speed declared; "},
        {R"(type="int" propertytype="Speed" value="1x")", "P=1x int of Speed declared; "},
        {R"(type="int" propertytype="Names" value="5")",
         "P=North,Caves int of Names declared stored 5; "},
        {R"(type="int" propertytype="Names" value="0")", "P= int of Names declared stored 0; "},
        {R"(type="int" propertytype="Names" value="8")", "P=8 int of Names declared; "},
        {R"(propertytype="Tier" value="Gold")", "P=Gold of Tier declared; "},
        {R"(type="string" propertytype="Tier" value="1")", "P=1 of Tier declared; "},
        {R"(type="int" propertytype="Rank" value="1")", "P=1 int of Rank; "},
        // Written without "valuesAsFlags": Tiled's default, no flags.
        {R"(type="int" propertytype="Plain" value="2")", "P=c int of Plain declared stored 2; "},
    };
    for (const auto& row : rows) {
        tmx::TmxMap map;
        Load(map, "", std::string("<property name=\"P\" ") + row.property + "/>");
        tmx::ApplyProject(&project, map);
        EXPECT_EQ(Described(map), row.described) << row.property;
    }
}

TEST(Project, ReadsProjectsTypesAloneAndWorlds) {
    const tmx::TmxProject project = Project();
    EXPECT_EQ(project.folders, (std::vector<std::string>{"maps", "shared"}));
    ASSERT_EQ(project.types.size(), 7u);
    const tmx::TmxPropertyType* names = project.Type("Names");
    ASSERT_NE(names, nullptr);
    EXPECT_EQ(names->kind, tmx::TmxPropertyType::Kind::Enum);
    EXPECT_TRUE(names->flags && names->storedAsIndex);
    EXPECT_FALSE(project.Type("Tier")->storedAsIndex);
    EXPECT_EQ(project.Type("Zone")->members[3].value, "0.5");
    EXPECT_EQ(project.Type("Nothing"), nullptr);

    // Tiled 1.8 exports the types alone, as a list.
    tmx::TmxProject alone;
    EXPECT_EQ(tmx::ReadProject(R"([{"name": "Tier", "type": "enum", "values": ["A"]}])", alone),
              "");
    EXPECT_TRUE(alone.folders.empty());
    ASSERT_EQ(alone.types.size(), 1u);
    EXPECT_EQ(alone.types[0].values, (std::vector<std::string>{"A"}));

    tmx::TmxProject broken;
    EXPECT_EQ(tmx::ReadProject("{\"folders\": [", broken).rfind("Not valid JSON: ", 0), 0u);
    EXPECT_EQ(tmx::ReadProject("\"text\"", broken), "The document is no JSON object.");

    tmx::TmxWorld world;
    EXPECT_EQ(tmx::ReadWorld(R"({"maps": [{"fileName": "a.tmx"}, {"x": 1}, {"fileName": "b.tmx"}],
      "patterns": [{"regexp": "c-\\d+\\.tmx"}, {"x": 2},
         {"regexp": "d\\.tmx"}], "type": "world"})",
                             world),
              "");
    EXPECT_EQ(world.maps, (std::vector<std::string>{"a.tmx", "b.tmx"}));
    // Each pattern at its record, where one that cannot be used is reported.
    ASSERT_EQ(world.patterns.size(), 2u);
    EXPECT_EQ(world.patterns[0].regexp, "c-\\d+\\.tmx");
    EXPECT_EQ(world.patterns[1].regexp, "d\\.tmx");
    EXPECT_EQ(world.patterns[0].at.line, 2);
    EXPECT_EQ(world.patterns[0].at.column, 20);
    EXPECT_EQ(world.patterns[1].at.line, 3);
    EXPECT_EQ(world.patterns[1].at.column, 10);
    tmx::TmxWorld none;
    EXPECT_EQ(tmx::ReadWorld(R"({"type": "map"})", none), "It is not a Tiled world.");
    EXPECT_EQ(tmx::ReadWorld(R"({"type": "world"})", none), "");
}

// Where Tiled holds a tile object: by its tileset's alignment, whatever the
// tile's flip flags.
TEST(Project, TileObjectsAreHeldByTheirTilesetsAlignment) {
    tmx::TmxMap map;
    map.LoadFromText(
        R"(<map orientation="orthogonal" width="1" height="1" tilewidth="32" tileheight="32">
      <tileset firstgid="1" tilecount="2" objectalignment="topright"/>
      <tileset firstgid="3" tilecount="2" objectalignment="center"/>
      <tileset firstgid="5" tilecount="2" objectalignment="sideways"/>
      <tileset firstgid="7" tilecount="2"/></map>)");
    const auto anchor = [&](int32_t gid) {
        const tmx::TmxObjectAnchor held = map.ObjectAnchorOf(gid);
        return std::to_string(held.across) + "," + std::to_string(held.down);
    };
    EXPECT_EQ(anchor(2), "2,0");
    EXPECT_EQ(anchor(static_cast<int32_t>(0x80000001u)), "2,0");
    EXPECT_EQ(anchor(4), "1,1");
    EXPECT_EQ(anchor(5), "0,2");  // not a name Tiled writes: unspecified
    EXPECT_EQ(anchor(7), "0,2");
    EXPECT_EQ(anchor(0), "0,2");

    tmx::TmxMap isometric;
    isometric.LoadFromText(R"(<map orientation="isometric" width="1" height="1" tilewidth="32"
      tileheight="32"><tileset firstgid="1" tilecount="2"/></map>)");
    EXPECT_EQ(isometric.ObjectAnchorOf(1).across, 1);
    EXPECT_EQ(isometric.ObjectAnchorOf(1).down, 2);
}

// A project found above a map outside the working folder is named by its
// whole path, the only name that finds it from here.
TEST(Project, FoundOutsideTheWorkingFolderByItsWholePath) {
    namespace fs = std::filesystem;
    const fs::path folder =
        fs::temp_directory_path() /
        ("velt-project-" +
         std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    fs::create_directories(folder / "maps");
    std::ofstream(folder / "zones.tiled-project") << kProject;

    Projects projects(true);
    const Projects::Found found = projects.For((folder / "maps" / "zone.tmx").string());
    EXPECT_NE(found.project, nullptr);
    EXPECT_EQ(found.problem, "");
    EXPECT_TRUE(fs::path(found.path).is_absolute()) << found.path;
    EXPECT_TRUE(fs::exists(found.path)) << found.path;
    fs::remove_all(folder);
}

}  // namespace
