// The built converter run as a user runs it, on maps written by the tests and
// on the maps in tests/maps, with the zone script compared byte for byte.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "RunConverter.h"
#include "TestSupport.h"

namespace {

const char kBanner[] = "Velt Tiled Converter. Usage: VeltTileConverter (filename)\n";
const char kNothing[] = "\r\n\r\n\r\n";

TEST(Usage, BannerForNoArgumentOrDashH) {
    ScratchDir dir;
    for (const auto& args : {std::vector<std::string>{}, std::vector<std::string>{"-h"},
                             std::vector<std::string>{"-h", "map.tmx"}}) {
        const Outcome run = Convert(dir, args);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, kBanner);
        EXPECT_EQ(run.err, "");
    }
    EXPECT_TRUE(FilesIn(dir).empty());
}

TEST(OutputName, LastFourCharactersBecomeDotTxt) {
    ScratchDir dir;
    std::filesystem::create_directories(dir.path() / "maps");
    const struct {
        const char* argument;
        const char* output;
    } rows[] = {{"map.tmx", "map.txt"}, {"maps/town.tmx", "maps/town.txt"},
                {"level", "l.txt"},     {"town", ".txt"},
                {"abc", "abc.txt"},     {"-H", "-H.txt"},
                {"--help", "--.txt"},   {"-h ", "-h .txt"},
                {"a.TMX", "a.txt"}};
    for (const auto& row : rows) {
        WriteFile(dir / row.argument, MapText(""));
        const Outcome run = Convert(dir, {row.argument, "ignored.tmx"});
        EXPECT_EQ(run.status, 0) << row.argument << run.err;
        EXPECT_EQ(run.out + run.err, "") << row.argument;
        EXPECT_EQ(ReadFile(dir / row.output), kNothing) << row.argument;
        std::filesystem::remove(dir / row.output);
    }
}

TEST(Conversion, HeaderAndEmptySectionsByteForByte) {
    ScratchDir dir;
    WriteFile(dir / "mill.tmx", MapText(R"(<properties>
  <property name="Level" value="3"/>
  <property name="Respawn" value="60"/>
  <property name="Title" value="Old Mill"/>
 </properties>
)"));
    const Outcome run = Convert(dir, {"mill.tmx"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadFile(dir / "mill.txt"),
              "#DEF_LEVEL\t3\t\r\r\n#DEF_RESPAWN\t60\t\r\r\n#DEF_ZONETITLE\tOld Mill\t\r\r\n"
              "\r\n\r\n\r\n");

    WriteFile(dir / "bare.tmx", MapText(""));
    ASSERT_EQ(Convert(dir, {"bare.tmx"}).status, 0);
    EXPECT_EQ(ReadFile(dir / "bare.txt"), kNothing);

    WriteFile(dir / "title.tmx",
              MapText(R"(<properties><property name="Title" value="A&#9;B&#10;C"/></properties>)"));
    ASSERT_EQ(Convert(dir, {"title.tmx"}).status, 0);
    EXPECT_EQ(ReadFile(dir / "title.txt"), "#DEF_ZONETITLE\tA\tB\r\nC\t\r\r\n\r\n\r\n\r\n");
}

// The worked example of the zone script format: every section, by hand.
TEST(Conversion, WorkedExampleByteForByte) {
    ScratchDir dir;
    WriteFile(dir / "mill.tmx", R"(<?xml version="1.0" encoding="UTF-8"?>
<map version="1.8" orientation="orthogonal" width="12" height="8" tilewidth="32" tileheight="32">
 <properties>
  <property name="Level" type="int" value="3"/>
  <property name="Respawn" type="int" value="60"/>
  <property name="Title" value="Old Mill"/>
 </properties>
 <tileset firstgid="1" name="mill" tilewidth="32" tileheight="32"/>
 <layer name="Ground" width="12" height="8">
  <data encoding="csv">
0,0,0,0,0,0,2,2,3,0,0,0,
0,0,0,0,0,0,0,0,0,0,0,0,
0,0,0,0,0,0,0,0,0,0,0,0,
0,0,0,0,0,0,0,0,0,0,0,0,
0,0,0,0,0,0,0,0,0,0,0,0,
0,0,0,0,0,0,0,0,0,0,0,0,
0,0,0,0,0,0,0,0,0,0,0,0,
0,0,0,0,0,0,0,0,0,0,0,0
</data>
 </layer>
 <objectgroup name="Zones">
  <object id="1" name="In" x="390" y="230" width="32" height="32"/>
 </objectgroup>
</map>
)");
    const Outcome run = Convert(dir, {"mill.tmx"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out + run.err, "");
    EXPECT_EQ(ReadFile(dir / "mill.txt"),
              "#DEF_LEVEL\t3\t\r\r\n"
              "#DEF_RESPAWN\t60\t\r\r\n"
              "#DEF_ZONETITLE\tOld Mill\t\r\r\n"
              "\r\n"
              "#DEF_TILE\t10001\t1\t16\t16\t17\t0\t0\t0\t\r\n"
              "#DEF_TILE\t10001\t2\t0\t0\t0\t0\t0\t0\t\r\n"
              "#DEF_TILE\t10001\t3\t0\t0\t0\t0\t0\t0\t\r\n"
              "#DEF_TILE\t10001\t4\t0\t0\t0\t0\t0\t0\t\r\n"
              "#DEF_TILE\t10001\t5\t0\t0\t0\t0\t0\t0\t\r\n"
              "#DEF_TILE\t10001\t6\t0\t0\t0\t0\t0\t0\t\r\n"
              "\r\n"
              "#IMP_TILE\t10001\t12\t0\r\n"
              "\r\n"
              "\r\n"
              "#DEF_CODE\t12\t7\t>\t0\t\r\r\n");
}

// The example map as Tiled saved it in each layer data encoding, with its
// layers in group layers, and as an infinite map in chunks (with four stray
// tiles outside the zone): one zone script, identical to the byte. The
// expected file was checked by hand (header, objects, and the blocks against
// the map's tiles).
TEST(Conversion, EverySavedFormGivesTheSameZoneScript) {
    const std::string expected = ReadFile(TEST_MAPS_DIR "/village.expected");
    ASSERT_FALSE(expected.empty());
    const struct {
        const char* form;
        const char* warning;
    } forms[] = {
        {"csv", ""},
        {"xml", ""},
        {"base64", ""},
        {"zlib", ""},
        {"gzip", ""},
        {"zstd", ""},
        {"groups", ""},
        {"infinite",
         "VeltTileConverter: warning: layer \"Ground\": 4 tiles lie outside the zone's 128 x 128 "
         "cells and were left out\n"},
    };
    for (const auto& form : forms) {
        ScratchDir dir;
        const std::string name = std::string("village-") + form.form;
        std::filesystem::copy_file(TEST_MAPS_DIR "/" + name + ".tmx", dir / (name + ".tmx"));
        const Outcome run = Convert(dir, {name + ".tmx"});
        ASSERT_EQ(run.status, 0) << form.form << run.err;
        EXPECT_EQ(run.out, "") << form.form;
        EXPECT_EQ(run.err, form.warning) << form.form;
        EXPECT_EQ(ReadFile(dir / (name + ".txt")), expected) << form.form;
    }
}

TEST(Conversion, ReplacesAnExistingZoneScriptWhole) {
    ScratchDir dir;
    WriteFile(dir / "map.tmx", MapText(""));
    WriteFile(dir / "map.txt", std::string(10000, 'x'));
    ASSERT_EQ(Convert(dir, {"map.tmx"}).status, 0);
    EXPECT_EQ(ReadFile(dir / "map.txt"), kNothing);
    EXPECT_EQ(FilesIn(dir), (std::vector<std::string>{"map.tmx", "map.txt"}));
}

// A map that cannot be loaded never turns into an empty zone script, and an
// existing zone script survives every failed run.
TEST(Failures, UnloadableMapsLeaveTheZoneScriptAlone) {
    ScratchDir dir;
    WriteFile(dir / "empty.tmx", "");
    WriteFile(dir / "broken.tmx", "<map><layer name/></map>");
    WriteFile(dir / "nomap.tmx", "<world/>");
    std::filesystem::create_directories(dir.path() / "folder.tmx");
    const struct {
        const char* argument;
        const char* output;
        const char* message;
    } rows[] = {
        {"missing.tmx", "missing.txt", "Could not open the file."},
        {"", ".txt", "Could not open the file."},
        {"folder.tmx", "folder.txt", "Could not open the file."},
        {"empty.tmx", "empty.txt", "The size of the file is invalid."},
        {"broken.tmx", "broken.txt", "Error reading Attributes."},
        {"nomap.tmx", "nomap.txt", "The document has no map element."},
    };
    for (const auto& row : rows) {
        WriteFile(dir / row.output, "keep");
        const Outcome run = Convert(dir, {row.argument});
        EXPECT_EQ(run.status, 1) << row.argument;
        EXPECT_EQ(run.out, "") << row.argument;
        EXPECT_EQ(run.err, std::string("VeltTileConverter: cannot load map [") + row.argument +
                               "]: " + row.message + "\n");
        EXPECT_EQ(ReadFile(dir / row.output), "keep") << row.argument;
        std::filesystem::remove(dir / row.output);
    }
    EXPECT_EQ(FilesIn(dir),
              (std::vector<std::string>{"broken.tmx", "empty.tmx", "folder.tmx", "nomap.tmx"}));
}

TEST(Failures, UnwritableOutputIsReportedWithStatusOne) {
    ScratchDir dir;
    std::filesystem::create_directories(dir.path() / "maps");
    WriteFile(dir / "maps/map.tmx", MapText(""));
    std::filesystem::create_directories(dir.path() / "maps/map.txt");  // a folder in the way
    const Outcome blocked = Convert(dir, {"maps/map.tmx"});
    EXPECT_EQ(blocked.status, 1);
    EXPECT_EQ(blocked.out, "");
    EXPECT_NE(blocked.err.find("failed to write [maps/map.txt]"), std::string::npos) << blocked.err;
    EXPECT_EQ(FilesIn(dir), (std::vector<std::string>{"maps"}));
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "maps/map.txt"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path() / "maps"),
                            std::filesystem::directory_iterator()),
              2);
}

TEST(Failures, ReadOnlyFolderGivesTheOpenMessage) {
    // A copy of the converter that "nobody" can run wherever the build lies.
    ScratchDir tools;
    const std::string converter = tools / "VeltTileConverter";
    std::filesystem::copy_file(CONVERTER_PATH, converter);
    ScratchDir dir;
    if (Convert(dir, {"-h"}, /*unprivileged=*/true, converter).status != 0) {
        GTEST_SKIP() << "the unprivileged user cannot run programs from " << tools.path();
    }
    WriteFile(dir / "map.tmx", MapText(""));
    WriteFile(dir / "map.txt", "keep");
    chmod(dir.path().c_str(), 0555);
    const Outcome run = Convert(dir, {"map.tmx"}, /*unprivileged=*/true, converter);
    chmod(dir.path().c_str(), 0755);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "Failed to open file [map.txt] for write.\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(ReadFile(dir / "map.txt"), "keep");
    EXPECT_EQ(FilesIn(dir), (std::vector<std::string>{"map.tmx", "map.txt"}));
}

TEST(Conversion, LongestFileNamesStillWork) {
    ScratchDir dir;
    const std::string stem(251, 'n');  // 255 characters with ".tmx", the usual limit
    WriteFile(dir / (stem + ".tmx"), MapText(""));
    const Outcome run = Convert(dir, {stem + ".tmx"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadFile(dir / (stem + ".txt")), kNothing);
}

TEST(Failures, RefusedArgumentsTouchNothing) {
    ScratchDir dir;
    WriteFile(dir / "map.txt", "keep");
    const Outcome self = Convert(dir, {"map.txt"});
    EXPECT_EQ(self.status, 1);
    EXPECT_EQ(self.err,
              "VeltTileConverter: [map.txt] would be overwritten by its own zone script\n");
    EXPECT_EQ(ReadFile(dir / "map.txt"), "keep");

    const Outcome tooLong = Convert(dir, {std::string(1000, 'a')});
    EXPECT_EQ(tooLong.status, 1);
    EXPECT_EQ(tooLong.err,
              "VeltTileConverter: the path is too long (1000 characters, at most 999)\n");
    EXPECT_EQ(FilesIn(dir), (std::vector<std::string>{"map.txt"}));
}

}  // namespace
