// Whatever the writer writes, the reader reads back as the writer meant it,
// without a finding.

#include <gtest/gtest.h>

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
        if (random() % 2) script.WriteZoneTitle("Old Mill #" + std::to_string(round));
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
    }
}

}  // namespace
