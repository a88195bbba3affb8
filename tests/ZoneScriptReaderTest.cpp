// Whatever the writer writes, the reader reads back as the writer meant it,
// without a finding.

#include <gtest/gtest.h>

#include <iterator>
#include <random>

#include "converter/zone/ZoneReader.h"
#include "converter/zone/ZoneWriter.h"

namespace {

TEST(ZoneScriptReader, ReadsBackWhatTheWriterWrites) {
    std::mt19937 random(13);
    const auto any = [&] { return static_cast<int32_t>(random()); };
    for (int round = 0; round < 300; ++round) {
        Zone zone;
        if (random() % 2) zone.level = any();
        if (random() % 2) zone.respawn = any();
        // Titles as the header translates them: TABs, CRs, LFs and markup kept.
        static const char* const kTitles[] = {
            "Old Mill",   "Tab\there",        "Two\nlines",      "CR\rLF\r\nmix",
            "  spaces  ", "\"q\" & <tag>",    "ends in a tab\t", "\ttab first",
            "\xc3\xbc",   "line\n  indented", "#DEF_LEVEL\t3\t", "",
        };
        if (random() % 2) zone.title = kTitles[random() % std::size(kTitles)];
        const int32_t blocks = static_cast<int32_t>(random() % 8);
        for (int32_t id = 10001; id < 10001 + blocks; ++id) {
            Zone::Block& block = zone.EditBlock(id);
            for (auto& row : block.codes)
                for (uint8_t& code : row)
                    code = static_cast<uint8_t>(random() % 256);
        }
        for (int32_t id = 10001; id < 10001 + blocks; ++id)
            zone.placements.push_back({id,
                                       12 * static_cast<int32_t>(random() % 22),
                                       12 * static_cast<int32_t>(random() % 22),
                                       {}});
        for (int n = static_cast<int>(random() % 12); n > 0; --n) {
            switch (random() % 3) {
                case 0:
                    zone.AddCode({any(), any(), "><*" [random() % 3], 0, {}});
                    break;
                case 1:
                    zone.AddCode({any(), any(), 0, any(), {}});
                    break;
                default:
                    Zone::Path& path = zone.StartPath();
                    for (int point = static_cast<int>(random() % 4); point > 0; --point)
                        path.push_back({any(), any(), any(), {}});
            }
        }
        const std::string bytes = WriteZoneScript(zone);
        const ZoneRead read = ReadZoneScript(bytes);
        EXPECT_TRUE(read.findings.empty()) << bytes;
        EXPECT_GT(read.linesRead, 0);
        EXPECT_EQ(read.zone.blocks, zone.blocks);
        EXPECT_EQ(read.zone.placements, zone.placements);
        EXPECT_EQ(read.zone.codes, zone.codes);
        EXPECT_EQ(read.zone.paths, zone.paths);
        EXPECT_EQ(read.zone.level, zone.level);
        EXPECT_EQ(read.zone.respawn, zone.respawn);
        EXPECT_EQ(read.zone.title, zone.title);
        ASSERT_EQ(read.zone.order.size(), zone.order.size());
        for (size_t i = 0; i < zone.order.size(); ++i) {
            EXPECT_EQ(read.zone.order[i].isPath, zone.order[i].isPath);
            EXPECT_EQ(read.zone.order[i].index, zone.order[i].index);
        }
    }
}

}  // namespace

// A title line that lacks its end is read line by line, and takes nothing of
// the lines after it, though they end as a title does.
TEST(ZoneScriptReader, ATitleWithoutItsEndTakesNoOtherLine) {
    const std::string script =
        "#DEF_ZONETITLE\tOld Mill\r\n"
        "\r\n"
        "\r\n\r\n"
        "#DEF_CODE\t1\t2\t>\t0\t\r\r\n";
    const ZoneRead read = ReadZoneScript(script);
    EXPECT_EQ(read.zone.title, "Old Mill");
    ASSERT_EQ(read.zone.codes.size(), 1u);
    EXPECT_EQ(read.zone.codes[0].at.line, 5);
    EXPECT_TRUE(read.findings.empty());
}
