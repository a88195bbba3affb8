// What a team's settings make of the findings: files laid over each other,
// and a baseline that holds findings by their element, not their place.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>

#include "converter/findings/Tuning.h"
#include "converter/workspace/Baseline.h"
#include "converter/zone/Zone.h"

namespace {

Finding Warning(FindingData what, FindingSubject about = {}, tmx::TmxLocation at = {}) {
    return {Severity::Warning, at, std::move(about), std::move(what)};
}

// A nearer file's setting wins over a farther one's, the command line's over
// both; what a nearer one does not set, a farther one still does.
TEST(Tuning, NearerSettingsWin) {
    Tuning farther;
    farther.Set("mob-number", Level::Off);
    farther.Set("tile-size", Level::Note);
    Tuning nearer;
    nearer.Set("mob-number", Level::Error);
    Tuning line;
    line.SetWerror(true);
    line.KeepWarning("path-point");
    const Tuning tuning = Tuning::Over(Tuning::Over(farther, nearer), line);
    EXPECT_EQ(tuning.SeverityOf(Warning(finding::MobNumber{})), Severity::Error);
    EXPECT_EQ(tuning.SeverityOf(Warning(finding::TileSize{})), Severity::Note);
    EXPECT_EQ(tuning.SeverityOf(Warning(finding::PathPoint{})), Severity::Warning);
    EXPECT_EQ(tuning.SeverityOf(Warning(finding::ZoneMarker{})), Severity::Error);
    // Errors are no findings to tune.
    EXPECT_EQ(tuning.SeverityOf({Severity::Error, {}, {}, finding::Load{"x"}}), Severity::Error);
    EXPECT_EQ(Tuning::Refusal("load"),
              "\"load\" is an error, which is always reported and always fails");
    EXPECT_EQ(Tuning::Refusal("mob-number"), "");
}

// A baseline holds each finding once, by map, kind and element: another
// line, another count, the same; another object, another map or kind, not.
TEST(Baseline, HoldsFindingsByTheirElement) {
    using Element = FindingSubject::Element;
    const FindingSubject goblin{Element::Object, "Mobs", 7, "Goblin", 3};
    const FindingSubject overlay{Element::Layer, "Decor/Overlay", 0, "", 2};
    Baseline recorded;
    recorded.Record("maps/town.tmx", Warning(finding::MobNumber{0}, goblin, {12, 3}));
    recorded.Record("maps/town.tmx", Warning(finding::LayerBlanksTiles{11, {}}, overlay, {5, 2}));
    recorded.Record("maps/town.tmx", Warning(finding::LayerBlanksTiles{11, {}}, overlay, {5, 2}));
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / "velt-baseline-test.txt";
    std::ofstream(file, std::ios::binary) << recorded.Text();
    std::string problem;
    Baseline baseline = Baseline::Read(file.string(), problem);
    std::filesystem::remove(file);
    EXPECT_EQ(problem, "");
    EXPECT_EQ(baseline.Text(), recorded.Text());

    EXPECT_FALSE(baseline.Holds(
        "maps/town.tmx", Warning(finding::MobNumber{0}, {Element::Object, "Mobs", 8, "Orc", 3})));
    EXPECT_FALSE(baseline.Holds("maps/other.tmx", Warning(finding::MobNumber{0}, goblin)));
    EXPECT_FALSE(baseline.Holds("maps/town.tmx", Warning(finding::TileObjectAnchor{}, goblin)));
    EXPECT_TRUE(baseline.Holds("maps/town.tmx", Warning(finding::MobNumber{5}, goblin, {40, 1})));
    EXPECT_FALSE(baseline.Holds("maps/town.tmx", Warning(finding::MobNumber{5}, goblin)));
    const Finding blanks = Warning(finding::LayerBlanksTiles{3, {}}, overlay, {9, 2});
    EXPECT_TRUE(baseline.Holds("maps/town.tmx", blanks));
    EXPECT_TRUE(baseline.Holds("maps/town.tmx", blanks));
    EXPECT_FALSE(baseline.Holds("maps/town.tmx", blanks));
}

// The zone's blocks stay in the order of their ids whatever order they are
// defined in, as a map by id would keep them.
TEST(Zone, BlocksStayInTheOrderOfTheirIds) {
    std::mt19937 random(3);
    for (int round = 0; round < 200; ++round) {
        Zone zone;
        std::map<int32_t, uint8_t> reference;
        for (int n = static_cast<int>(random() % 40); n > 0; --n) {
            const auto id = static_cast<int32_t>(random() % 30) + 10001;
            const auto code = static_cast<uint8_t>(random());
            zone.EditBlock(id).codes[0][0] = code;
            reference[id] = code;
        }
        ASSERT_EQ(zone.blocks.size(), reference.size());
        size_t i = 0;
        for (const auto& [id, code] : reference) {
            EXPECT_EQ(zone.blocks[i].id, id);
            EXPECT_EQ(zone.blocks[i++].codes[0][0], code);
            ASSERT_NE(zone.FindBlock(id), nullptr);
            EXPECT_EQ(zone.FindBlock(id)->codes[0][0], code);
        }
        EXPECT_EQ(zone.FindBlock(10000), nullptr);
        EXPECT_EQ(zone.FindBlock(10031), nullptr);
    }
}

}  // namespace
