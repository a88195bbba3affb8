#include "ZoneScript.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <iterator>
#include <string>

void ZoneScript::Emit(std::string_view text) {
    for (size_t lf; (lf = text.find('\n')) != std::string_view::npos; text.remove_prefix(lf + 1)) {
        bytes_.append(text.substr(0, lf)).append("\r\n");
    }
    bytes_.append(text);
}

namespace {

// One line of short texts and numbers, put together before it is emitted.
// The longest line, a tile row, takes under 100 characters.
class Line {
  public:
    Line& operator<<(std::string_view text) {
        std::memcpy(end_, text.data(), text.size());
        end_ += text.size();
        return *this;
    }
    Line& operator<<(int32_t number) {
        end_ = std::to_chars(end_, text_ + sizeof text_, number).ptr;
        return *this;
    }
    std::string_view text() const { return {text_, static_cast<size_t>(end_ - text_)}; }

  private:
    char text_[160];
    char* end_ = text_;
};

}  // namespace

void ZoneScript::WriteLevel(int32_t level, tmx::TmxLocation at) {
    if (keepContent_) {
        content_.level = level;
        content_.levelAt = at;
    }
    Emit((Line() << "#DEF_LEVEL\t" << level << "\t\r\n").text());
}

void ZoneScript::WriteRespawn(int32_t respawn, tmx::TmxLocation at) {
    if (keepContent_) {
        content_.respawn = respawn;
        content_.respawnAt = at;
    }
    Emit((Line() << "#DEF_RESPAWN\t" << respawn << "\t\r\n").text());
}

void ZoneScript::WriteZoneTitle(std::string_view title, tmx::TmxLocation at) {
    // A text field ends at its first NUL byte, as a C string would.
    title = title.substr(0, title.find('\0'));
    if (keepContent_) {
        content_.title = std::string(title);
        content_.titleAt = at;
    }
    Emit("#DEF_ZONETITLE\t");
    Emit(title);
    Emit("\t\r\n");
}

void ZoneScript::WriteEmptyLine() {
    Emit("\n");
}

void ZoneScript::WriteTileRow(int32_t blockId, int32_t row, const int16_t (&codes)[kBlockCells]) {
    if (keepContent_ && row >= 1 && row <= kBlockCells) {
        auto& kept = content_.blocks[blockId][static_cast<size_t>(row - 1)];
        std::copy(std::begin(codes), std::end(codes), kept.begin());
    }
    Line line;
    line << "#DEF_TILE\t" << blockId << "\t" << row;
    for (const int16_t code : codes)
        line << "\t" << code;
    Emit((line << "\t\n").text());
}

void ZoneScript::WriteTilePlacement(int32_t blockId, int32_t x, int32_t y) {
    if (keepContent_) content_.placements.push_back({blockId, x, y});
    Emit((Line() << "#IMP_TILE\t" << blockId << "\t" << x << "\t" << y << "\n").text());
}

void ZoneScript::WriteMarkerCode(int32_t column, int32_t row, char marker, tmx::TmxLocation at) {
    if (keepContent_) {
        content_.order.push_back({false, content_.codes.size()});
        content_.codes.push_back({column, row, marker, 0, at});
    }
    Emit((Line() << "#DEF_CODE\t" << column << "\t" << row << "\t" << std::string_view(&marker, 1)
                 << "\t0\t\r\n")
             .text());
}

void ZoneScript::WriteNumberCode(int32_t column, int32_t row, int32_t number, tmx::TmxLocation at) {
    if (keepContent_) {
        content_.order.push_back({false, content_.codes.size()});
        content_.codes.push_back({column, row, 0, number, at});
    }
    Emit(
        (Line() << "#DEF_CODE\t" << column << "\t" << row << "\t" << number << "\t0\t\r\n").text());
}

void ZoneScript::WritePathStart() {
    if (keepContent_) {
        content_.order.push_back({true, content_.paths.size()});
        content_.paths.emplace_back();
    }
    Emit("\r\n");
}

void ZoneScript::WriteWaypoint(int32_t pathId, int32_t column, int32_t row, tmx::TmxLocation at) {
    if (keepContent_) {
        if (content_.paths.empty()) {
            content_.order.push_back({true, 0});
            content_.paths.emplace_back();
        }
        content_.paths.back().push_back({pathId, column, row, at});
    }
    Emit((Line() << "#DEF_WAYPOINT\t" << pathId << "\t" << column << "\t" << row << "\t\r\n")
             .text());
}
