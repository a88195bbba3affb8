// Templates as Tiled applies them, each file read once, at most so many a map.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "tmx/model/TmxMap.h"
#include "tmx/read/TmxTemplate.h"

namespace {

class Folder {
  public:
    Folder()
        : path_(std::filesystem::temp_directory_path() / ("velt-tx-" + std::to_string(getpid()))) {
        std::filesystem::create_directories(path_ / "maps");
    }
    ~Folder() { std::filesystem::remove_all(path_); }
    std::string Write(const std::string& name, const std::string& text) const {
        std::ofstream(path_ / name) << text;
        return (path_ / name).string();
    }
    void Remove(const std::string& name) const { std::filesystem::remove(path_ / name); }

  private:
    std::filesystem::path path_;
};

const char kGoblin[] = R"(<template><tileset firstgid="1" source="t.tsx"/>
  <object name="12" type="Goblin" gid="3" width="32" height="16">
    <properties><property name="hp" value="10"/><property name="speed" value="2"/></properties>
  </object></template>)";

// The objects of the map's first group, read with templates of `templates`.
std::vector<tmx::TmxObject> Objects(const Folder& folder, const std::string& objects,
                                    tmx::TmxTemplates& templates,
                                    tmx::TmxFindings* findings = nullptr) {
    tmx::TmxMap map;
    map.LoadFromFile(
        folder.Write("maps/m.tmx", "<map><objectgroup>" + objects + "</objectgroup></map>"),
        &templates);
    EXPECT_FALSE(map.failed()) << map.errorMessage();
    if (findings != nullptr) *findings = map.findings();
    return map.objectGroups().at(0).objects();
}

TEST(Templates, InstancesOverrideWhatTheySet) {
    const Folder folder;
    folder.Write("goblin.tx", kGoblin);
    tmx::TmxTemplates templates;
    const auto objects = Objects(folder, R"(
        <object id="1" template="../goblin.tx" x="64" y="96"/>
        <object id="2" template="../goblin.tx" name="" type="Orc" x="1" y="2" width="50">
          <properties><property name="hp" value="20"/><property name="armour" value="1"/></properties>
        </object>
        <object id="3" template="../goblin.tx" name="7" gid="0" width="8" height="4"><ellipse/></object>
        <object id="4" template="../goblin.tx" x="5"><polyline points="0,0 32,0"/></object>
        <object id="5" template="../goblin.tx" width="1" height="1"/>)",
                                 templates);
    ASSERT_EQ(objects.size(), 5u);
    const tmx::TmxObject& plain = objects[0];
    EXPECT_EQ(plain.id(), 1);
    EXPECT_EQ(plain.name(), "12");
    EXPECT_EQ(plain.type(), "Goblin");
    EXPECT_EQ(plain.x(), 64);
    EXPECT_EQ(plain.y(), 96);
    EXPECT_EQ(plain.gid(), 3);
    EXPECT_EQ(plain.shape(), tmx::TmxShape::Tile);
    EXPECT_EQ(plain.width(), 32);
    EXPECT_EQ(plain.properties().ValueOf("hp"), "10");

    const tmx::TmxObject& partial = objects[1];  // an empty name, half a size: no change
    EXPECT_EQ(partial.name(), "12");
    EXPECT_EQ(partial.type(), "Orc");
    EXPECT_EQ(partial.width(), 32);
    EXPECT_EQ(partial.height(), 16);
    EXPECT_EQ(partial.properties().ValueOf("hp"), "20");
    EXPECT_EQ(partial.properties().ValueOf("speed"), "2");
    EXPECT_EQ(partial.properties().ValueOf("armour"), "1");

    const tmx::TmxObject& shaped = objects[2];
    EXPECT_EQ(shaped.name(), "7");
    EXPECT_EQ(shaped.gid(), 0);
    EXPECT_EQ(shaped.shape(), tmx::TmxShape::Ellipse);
    ASSERT_TRUE(shaped.ellipse());
    EXPECT_EQ(shaped.ellipse()->radiusX, 4);  // the instance's size, at its place

    const tmx::TmxObject& path = objects[3];
    ASSERT_TRUE(path.polyline());
    EXPECT_EQ(path.polyline()->points().size(), 2u);
    EXPECT_EQ(path.shape(), tmx::TmxShape::Polyline);
    EXPECT_EQ(path.x(), 5);

    // One pixel each side, the smallest whole size, is the instance's too.
    EXPECT_EQ(objects[4].width(), 1);
    EXPECT_EQ(objects[4].height(), 1);
}

TEST(Templates, EachFileIsReadOnceAndAMapNamesFewEnough) {
    const Folder folder;
    folder.Write("goblin.tx", kGoblin);
    tmx::TmxTemplates templates;
    EXPECT_EQ(Objects(folder, R"(<object template="../goblin.tx"/>)", templates)[0].name(), "12");
    folder.Remove("goblin.tx");
    // The same file, named another way, by another map of the run.
    EXPECT_EQ(Objects(folder, R"(<object template="../maps/../goblin.tx"/>)", templates)[0].name(),
              "12");

    std::string many;
    for (size_t i = 0; i <= tmx::TmxTemplates::kMaxPerMap; ++i)
        many += "<object id=\"" + std::to_string(i + 1) + "\" template=\"t" + std::to_string(i) +
                ".tx\"/>";
    tmx::TmxFindings findings;
    tmx::TmxTemplates fresh;
    Objects(folder, many, fresh, &findings);
    ASSERT_EQ(findings.size(), tmx::TmxTemplates::kMaxPerMap + 1);
    EXPECT_EQ(std::get<tmx::TmxTemplateProblem>(findings[0].problem).reason,
              "No such file or directory");
    EXPECT_EQ(std::get<tmx::TmxTemplateProblem>(findings.back().problem).reason,
              "the map names more than 256 templates");
    EXPECT_EQ(findings.back().objectId, 257);
}

}  // namespace
