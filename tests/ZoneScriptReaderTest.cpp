// Whatever the writer writes, the reader reads back as the writer meant it,
// without a finding.

#include <gtest/gtest.h>

#include <iterator>
#include <random>

#include "ZoneScript.h"
#include "ZoneScriptReader.h"

namespace {

TEST(ZoneScriptReader, ReadsBackWhatTheWriterWrites) {
    std::mt19937 random(13);
    const auto any = [&] { return static_cast<int32_t>(random()); };
    for (int round = 0; round < 300; ++round) {
        ZoneScript script(true);
        if (random() % 2) script.WriteLevel(any());
        if (random() % 2) script.WriteRespawn(any());
        // Titles as the header translates them: TABs, CRs, LFs and markup kept.
        static const char* const kTitles[] = {
            "Old Mill",   "Tab\there",        "Two\nlines",      "CR\rLF\r\nmix",
            "  spaces  ", "\"q\" & <tag>",    "ends in a tab\t", "\ttab first",
            "\xc3\xbc",   "line\n  indented", "#DEF_LEVEL\t3\t", "",
        };
        if (random() % 2) script.WriteZoneTitle(kTitles[random() % std::size(kTitles)]);
        script.WriteEmptyLine();
        const int32_t blocks = static_cast<int32_t>(random() % 8);
        for (int32_t id = 10001; id < 10001 + blocks; ++id) {
            for (int32_t row = 1; row <= 6; ++row) {
                int16_t codes[6];
                for (int16_t& code : codes)
                    code = static_cast<int16_t>(random() % 256);
                script.WriteTileRow(id, row, codes);
            }
            script.WriteEmptyLine();
        }
        for (int32_t id = 10001; id < 10001 + blocks; ++id)
            script.WriteTilePlacement(id, 12 * static_cast<int32_t>(random() % 22),
                                      12 * static_cast<int32_t>(random() % 22));
        script.WriteEmptyLine();
        script.WriteEmptyLine();
        for (int n = static_cast<int>(random() % 12); n > 0; --n) {
            switch (random() % 4) {
                case 0:
                    script.WriteMarkerCode(any(), any(), "><*"[random() % 3]);
                    break;
                case 1:
                    script.WriteNumberCode(any(), any(), any());
                    break;
                case 2:
                    script.WritePathStart();
                    break;
                default:
                    script.WriteWaypoint(any(), any(), any());
            }
        }
        Findings findings;
        const ZoneContent read = ReadZoneScript(script.bytes(), findings);
        const ZoneContent& written = script.content();
        EXPECT_TRUE(findings.empty()) << script.bytes();
        EXPECT_EQ(read.blocks, written.blocks);
        EXPECT_EQ(read.placements, written.placements);
        EXPECT_EQ(read.codes, written.codes);
        EXPECT_EQ(read.paths, written.paths);
        EXPECT_EQ(read.level, written.level);
        EXPECT_EQ(read.respawn, written.respawn);
        EXPECT_EQ(read.title, written.title);
        ASSERT_EQ(read.order.size(), written.order.size());
        for (size_t i = 0; i < read.order.size(); ++i) {
            EXPECT_EQ(read.order[i].isPath, written.order[i].isPath);
            EXPECT_EQ(read.order[i].index, written.order[i].index);
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
    Findings findings;
    const ZoneContent read = ReadZoneScript(script, findings);
    EXPECT_EQ(read.title, "Old Mill");
    ASSERT_EQ(read.codes.size(), 1u);
    EXPECT_EQ(read.codes[0].at.line, 5);
    EXPECT_TRUE(findings.empty());
}
