#include "converter/zone/ZoneReader.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "converter/game/Objects.h"
#include "converter/text/WholeNumber.h"

namespace {

class Reader {
  public:
    ZoneRead Read(std::string_view bytes) {
        int32_t lineNumber = 0;
        while (!bytes.empty()) {
            if (ReadTitle(bytes, lineNumber)) continue;
            const size_t lf = bytes.find('\n');
            std::string_view line = bytes.substr(0, lf);
            bytes.remove_prefix(lf == std::string_view::npos ? bytes.size() : lf + 1);
            ++lineNumber;
            size_t crs = 0;
            while (!line.empty() && line.back() == '\r') {
                line.remove_suffix(1);
                ++crs;
            }
            line_ = lineNumber;
            text_ = line;
            // An empty line ends a section; one of CR CR LF opens a path.
            if (line.empty()) {
                if (crs >= 2) StartPath();
                if (crs >= 1 && lf != std::string_view::npos) ++read_.linesRead;
                continue;
            }
            ReadDirective(line);
        }
        for (const auto& [placement, at] : placedAt_) {
            if (read_.zone.FindBlock(placement) == nullptr) Add(at, finding::ZoneBlock{placement});
        }
        return std::move(read_);
    }

  private:
    // A title runs to its own line end, TAB CR CR LF: it may hold TABs, and
    // each LF it held was written as CR LF, which it gets back.
    bool ReadTitle(std::string_view& bytes, int32_t& lineNumber) {
        constexpr std::string_view kStart = "#DEF_ZONETITLE\t";
        constexpr std::string_view kEnd = "\t\r\r\n";
        if (bytes.substr(0, kStart.size()) != kStart) return false;
        const size_t end = bytes.find(kEnd, kStart.size());
        if (end == std::string_view::npos) return false;
        const std::string_view written = bytes.substr(kStart.size(), end - kStart.size());
        // Not past the header's empty line or into another directive: then
        // this line lacks its end, and the lines are read one by one.
        if (written.find("\n\r\n") != std::string_view::npos ||
            written.find("\n#") != std::string_view::npos) {
            return false;
        }
        std::string title;
        for (size_t i = 0; i < written.size(); ++i) {
            if (written[i] == '\r' && i + 1 < written.size() && written[i + 1] == '\n') ++i;
            title += written[i];
        }
        zone().title = std::move(title);
        zone().titleAt = {lineNumber + 1, 1};
        ++read_.linesRead;
        lineNumber += 1 + static_cast<int32_t>(std::count(written.begin(), written.end(), '\n'));
        bytes.remove_prefix(end + kEnd.size());
        return true;
    }

    // A line the game reads, whatever its numbers hold.
    void ReadDirective(std::string_view line) {
        if (Understood(line)) {
            ++read_.linesRead;
            return;
        }
        Add(line_, finding::ZoneLine{std::string(text_.substr(0, 60))});
    }

    // Reads a directive; false for a line the game does not read.
    bool Understood(std::string_view line) {
        std::vector<std::string_view> fields;
        for (size_t start = 0;;) {
            const size_t tab = line.find('\t', start);
            fields.push_back(line.substr(start, tab - start));
            if (tab == std::string_view::npos) break;
            start = tab + 1;
        }
        // Every line but #IMP_TILE ends its last field with a TAB.
        if (fields.size() > 1 && fields.back().empty()) fields.pop_back();
        const std::string_view kind = fields[0];
        std::vector<int32_t> n;
        const auto numbers = [&](size_t count, size_t from = 1) {
            if (fields.size() != from + count) return false;
            for (size_t i = from; i < fields.size(); ++i) {
                const std::optional<int32_t> value = WholeNumber(fields[i]);
                if (!value) return false;
                n.push_back(*value);
            }
            return true;
        };
        if (kind == "#DEF_LEVEL" || kind == "#DEF_RESPAWN") {
            if (numbers(1)) {
                const bool isLevel = kind == "#DEF_LEVEL";
                (isLevel ? zone().level : zone().respawn) = n[0];
                (isLevel ? zone().levelAt : zone().respawnAt) = {line_, 1};
                return true;
            }
        } else if (kind == "#DEF_ZONETITLE") {
            if (fields.size() == 2) {
                zone().title = std::string(fields[1]);
                zone().titleAt = {line_, 1};
                return true;
            }
        } else if (kind == "#DEF_TILE") {
            if (numbers(8)) {
                DefineRow(n);
                return true;
            }
        } else if (kind == "#IMP_TILE") {
            if (numbers(3)) {
                Place(n);
                return true;
            }
        } else if (kind == "#DEF_CODE") {
            // Column, row, a marker or a mob number, and 0.
            if (fields.size() == 5 && fields[4] == "0") {
                const std::string_view mark = fields[3];
                const bool isMarker =
                    mark.size() == 1 &&
                    (mark[0] == kEntryMarker || mark[0] == kExitMarker || mark[0] == kTrapMarker);
                const std::optional<int32_t> mob = WholeNumber(mark);
                const std::optional<int32_t> column = WholeNumber(fields[1]);
                const std::optional<int32_t> row = WholeNumber(fields[2]);
                if ((isMarker || mob) && column && row) {
                    zone().AddCode({*column,
                                    *row,
                                    isMarker ? mark[0] : kMobMarker,
                                    mob.value_or(0),
                                    {line_, 1}});
                    return true;
                }
            }
        } else if (kind == "#DEF_WAYPOINT") {
            if (numbers(3)) {
                if (zone().paths.empty()) StartPath();
                zone().paths.back().push_back({n[0], n[1], n[2], {line_, 1}});
                return true;
            }
        }
        return false;
    }

    void StartPath() { zone().StartPath(); }

    // Codes outside 0 to kMaxGroundCode are no ground; the rest of the row still is.
    void DefineRow(const std::vector<int32_t>& n) {
        if (!InRange("row", n[1], 1, kBlockCells)) return;
        Zone::Block& block = zone().EditBlock(n[0]);
        if (block.at.line == 0) block.at = {line_, 1};
        auto& row = block.codes[static_cast<size_t>(n[1] - 1)];
        for (size_t column = 0; column < kBlockCells; ++column) {
            const int32_t code = n[2 + column];
            row[column] =
                static_cast<uint8_t>(InRange("tile code", code, 0, kMaxGroundCode) ? code : 0);
        }
    }

    void Place(const std::vector<int32_t>& n) {
        placedAt_.emplace_back(n[0], line_);
        // Twice a block's first column and row, within the zone's cells.
        constexpr int32_t kLast = 2 * (kZoneCells - 1);
        if (!InRange("placement x", n[1], 0, kLast) || !InRange("placement y", n[2], 0, kLast)) {
            return;
        }
        zone().placements.push_back({n[0], n[1], n[2], {line_, 1}});
    }

    bool InRange(const char* what, int32_t value, int32_t low, int32_t high) {
        if (value >= low && value <= high) return true;
        Add(line_, finding::ZoneNumber{what, value, low, high});
        return false;
    }

    // A finding at the start of a line of the zone script.
    template <class Kind>
    void Add(int32_t line, Kind what) {
        read_.findings.push_back(FindingOf(std::move(what), {line, 1},
                                           {FindingSubject::Element::ZoneLine, "", 0, "", 0}));
    }

    Zone& zone() { return read_.zone; }

    ZoneRead read_;
    std::vector<std::pair<int32_t, int32_t>> placedAt_;  // block id, line
    int32_t line_ = 0;
    std::string_view text_;
};

}  // namespace

ZoneRead ReadZoneScript(std::string_view bytes) {
    return Reader().Read(bytes);
}
