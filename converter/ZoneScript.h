#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "ZoneContent.h"

// The zone script as the game server reads it: one writer method per line kind.
//
// The game was built against files written through a text-mode stream that
// turns every LF into CR LF, so the writer does that translation itself:
// lines whose format ends in "\n" reach the disk as CR LF, and lines whose
// format ends in "\r\n" as CR CR LF. Both kinds are expected by the reader.
class ZoneScript {
  public:
    // `keepContent`: also keep what the lines say (for the preview, the diff).
    explicit ZoneScript(bool keepContent = false) : keepContent_(keepContent) {}

    // Header; `at` is the property's place in the map, kept with the content.
    void WriteLevel(int32_t level, tmx::TmxLocation at = {});
    void WriteRespawn(int32_t respawn, tmx::TmxLocation at = {});
    void WriteZoneTitle(std::string_view title, tmx::TmxLocation at = {});
    void WriteEmptyLine();

    // Tiles: one row of a 6 x 6 block definition, and a block placement.
    void WriteTileRow(int32_t blockId, int32_t row, const int16_t (&codes)[kBlockCells]);
    void WriteTilePlacement(int32_t blockId, int32_t x, int32_t y);

    // Objects; `at` is the object's place in the map, kept with the content.
    void WriteMarkerCode(int32_t column, int32_t row, char marker, tmx::TmxLocation at = {});
    void WriteNumberCode(int32_t column, int32_t row, int32_t number, tmx::TmxLocation at = {});
    void WritePathStart();
    void WriteWaypoint(int32_t pathId, int32_t column, int32_t row, tmx::TmxLocation at = {});

    // The bytes as they go to disk.
    const std::string& bytes() const { return bytes_; }
    // What they say, when kept.
    const ZoneContent& content() const { return content_; }

  private:
    // Appends `text` with every LF turned into CR LF.
    void Emit(std::string_view text);

    std::string bytes_;
    bool keepContent_;
    ZoneContent content_;
};
