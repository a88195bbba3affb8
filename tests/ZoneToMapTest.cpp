// Zone scripts as the conversion writes them become maps that convert back to
// the same bytes, without a finding.

#include <gtest/gtest.h>

#include <random>

#include "converter/exports/ConvertMap.h"
#include "converter/findings/FindingText.h"
#include "converter/game/TileCodes.h"
#include "converter/tomap/ZoneToMap.h"
#include "converter/zone/ZoneWriter.h"
#include "tmx/model/TmxMap.h"

namespace {

// A zone script as a conversion writes one: random ground of codes that
// tiles give, in blocks numbered in reading order; markers, mobs and paths
// interleaved, paths numbered by the count or by their own id.
std::string RandomZoneScript(std::mt19937& random) {
    Zone zone;
    if (random() % 2) zone.level = static_cast<int32_t>(random() % 100 + 1);
    if (random() % 2) zone.respawn = static_cast<int32_t>(random() % 1000 + 1);
    if (random() % 2) zone.title = "Crypt \"" + std::to_string(random() % 9) + "\"\t<&>";
    int32_t id = kFirstBlockId;
    for (int32_t row0 = 0; row0 < kZoneCells; row0 += kBlockCells) {
        for (int32_t column0 = 0; column0 < kZoneCells; column0 += kBlockCells) {
            if (random() % 40 != 0) continue;
            Zone::Block& block = zone.EditBlock(id);
            for (int32_t dy = 0; dy < kBlockCells; ++dy) {
                for (int32_t dx = 0; dx < kBlockCells; ++dx) {
                    const int32_t code =
                        TileCodeFromId(static_cast<int32_t>(random() % kLastGroundId) + 1);
                    // A block at the zone's last origin reaches past it: nothing there.
                    const bool inside = row0 + dy < kZoneCells && column0 + dx < kZoneCells;
                    if (random() % 3 == 0 && inside) {
                        block.codes[static_cast<size_t>(dy)][static_cast<size_t>(dx)] =
                            static_cast<uint8_t>(code);
                    }
                }
            }
            zone.placements.push_back({id++, 2 * column0, 2 * row0, {}});
        }
    }
    const auto cell = [&] { return static_cast<int32_t>(random() % 1500) - 500; };
    int32_t counter = kFirstPathId;
    for (int n = static_cast<int>(random() % 30); n > 0; --n) {
        switch (random() % 5) {
            case 0:
                zone.AddCode({cell(), cell(), "><*" [random() % 3], 0, {}});
                break;
            case 1:
                zone.AddCode({cell(), cell(), 0, static_cast<int32_t>(random()), {}});
                break;
            default: {
                Zone::Path& path = zone.StartPath();
                const int points = static_cast<int>(random() % 5);
                if (points == 0) break;
                const int32_t pathId =
                    random() % 2 ? counter++ : static_cast<int32_t>(random() % 20000 + 1);
                for (int i = 0; i < points; ++i)
                    path.push_back({pathId, cell(), cell(), {}});
            }
        }
    }
    return WriteZoneScript(zone);
}

TEST(ZoneToMap, ZoneScriptsComeBackByteForByte) {
    std::mt19937 random(7);
    for (int round = 0; round < 40; ++round) {
        const std::string bytes = RandomZoneScript(random);
        const ZoneMap map = MapFromZoneScript(bytes, "velt-ground-codes.png");
        for (const Finding& finding : map.findings)
            ADD_FAILURE() << round << ": line " << finding.at.line << ": "
                          << KindName(finding.what);
        tmx::TmxMap loaded;
        loaded.LoadFromText(map.tmx);
        ASSERT_FALSE(loaded.failed()) << loaded.errorMessage();
        ASSERT_EQ(WriteZoneScript(ConvertMap(loaded).zone), bytes) << round;
    }
}

// Titles in the map's XML and back: the printable ASCII bytes and TAB (and
// the line breaks, with a note) and UTF-8 come back whole; a control byte XML
// cannot hold is dropped and a byte that is no UTF-8 read as Windows-1252,
// each said at the title's line, where the round trip then differs.
TEST(ZoneToMap, TitlesOfEveryByte) {
    const auto findingsOf = [](const std::string& title) {
        Zone zone;
        zone.title = title;
        return MapFromZoneScript(WriteZoneScript(zone), "velt-ground-codes.png").findings;
    };
    for (int byte = 1; byte < 256; ++byte) {
        if (byte == '\n' || byte == '\r') continue;
        const Findings findings = findingsOf(std::string("a") + static_cast<char>(byte) + "b");
        if (byte == '\t' || (byte >= 0x20 && byte < 0x80)) {
            EXPECT_TRUE(findings.empty()) << byte;
            continue;
        }
        ASSERT_EQ(findings.size(), 2u) << byte;
        const auto* text = std::get_if<finding::ZoneText>(&findings[0].what);
        ASSERT_NE(text, nullptr) << byte;
        EXPECT_EQ(text->reread, byte >= 0x80) << byte;
        EXPECT_EQ(text->dropped, byte < 0x20) << byte;
        EXPECT_TRUE(std::holds_alternative<finding::ZoneRoundTrip>(findings[1].what)) << byte;
        EXPECT_EQ(findings[0].at.line, 1) << byte;
        EXPECT_EQ(findings[1].at.line, 1) << byte;
    }
    for (const char* title : {"\xc3\xbc", "\xe2\x82\xac uro", "\xf0\x9f\x98\x80!"})
        EXPECT_TRUE(findingsOf(title).empty()) << title;
}

}  // namespace
