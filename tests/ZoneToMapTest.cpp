// Zone scripts as the conversion writes them become maps that convert back to
// the same bytes, without a finding.

#include <gtest/gtest.h>

#include <random>

#include "FindingText.h"
#include "TileCodes.h"
#include "ZoneExports.h"
#include "ZoneScript.h"
#include "ZoneToMap.h"
#include "tmx/model/TmxMap.h"

namespace {

// A zone script as a conversion writes one: random ground of codes that
// tiles give, in blocks numbered in reading order; markers, mobs and paths
// interleaved, paths numbered by the count or by their own id.
std::string RandomZoneScript(std::mt19937& random) {
    ZoneScript script;
    if (random() % 2) script.WriteLevel(static_cast<int32_t>(random() % 100 + 1));
    if (random() % 2) script.WriteRespawn(static_cast<int32_t>(random() % 1000 + 1));
    if (random() % 2) script.WriteZoneTitle("Crypt \"" + std::to_string(random() % 9) + "\"\t<&>");
    script.WriteEmptyLine();
    std::vector<std::array<int32_t, 3>> placements;
    int32_t id = kFirstBlockId;
    for (int32_t row0 = 0; row0 < kZoneCells; row0 += kBlockCells) {
        for (int32_t column0 = 0; column0 < kZoneCells; column0 += kBlockCells) {
            if (random() % 40 != 0) continue;
            int16_t codes[kBlockCells][kBlockCells] = {};
            for (auto& row : codes)
                for (int16_t& code : row)
                    if (random() % 3 == 0)
                        code = TileCodeFromId(static_cast<int32_t>(random() % kLastGroundId) + 1);
            for (int32_t dy = 0; dy < kBlockCells; ++dy) {
                // A block at the zone's last origin reaches past it: nothing there.
                const bool inside = row0 + dy < kZoneCells;
                int16_t line[kBlockCells] = {};
                for (int32_t dx = 0; dx < kBlockCells; ++dx)
                    line[dx] = inside && column0 + dx < kZoneCells ? codes[dy][dx] : 0;
                script.WriteTileRow(id, dy + 1, line);
            }
            script.WriteEmptyLine();
            placements.push_back({id++, 2 * column0, 2 * row0});
        }
    }
    for (const auto& [block, x, y] : placements)
        script.WriteTilePlacement(block, x, y);
    script.WriteEmptyLine();
    script.WriteEmptyLine();
    const auto cell = [&] { return static_cast<int32_t>(random() % 1500) - 500; };
    int32_t counter = kFirstPathId;
    for (int n = static_cast<int>(random() % 30); n > 0; --n) {
        switch (random() % 5) {
            case 0:
                script.WriteMarkerCode(cell(), cell(), "><*"[random() % 3]);
                break;
            case 1:
                script.WriteNumberCode(cell(), cell(), static_cast<int32_t>(random()));
                break;
            default: {
                script.WritePathStart();
                const int points = static_cast<int>(random() % 5);
                if (points == 0) break;
                const int32_t path =
                    random() % 2 ? counter++ : static_cast<int32_t>(random() % 20000 + 1);
                for (int i = 0; i < points; ++i)
                    script.WriteWaypoint(path, cell(), cell());
            }
        }
    }
    return script.bytes();
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
        Findings findings;
        ASSERT_EQ(ConvertMap(loaded, false, findings).bytes(), bytes) << round;
    }
}

// Titles in the map's XML and back: the printable ASCII bytes and TAB (and
// the line breaks, with a note) and UTF-8 come back whole; a control byte XML
// cannot hold is dropped and a byte that is no UTF-8 read as Windows-1252,
// each said at the title's line, where the round trip then differs.
TEST(ZoneToMap, TitlesOfEveryByte) {
    const auto findingsOf = [](const std::string& title) {
        ZoneScript script;
        script.WriteZoneTitle(title);
        script.WriteEmptyLine();
        script.WriteEmptyLine();
        script.WriteEmptyLine();
        return MapFromZoneScript(script.bytes(), "velt-ground-codes.png").findings;
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
