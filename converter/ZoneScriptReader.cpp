#include "ZoneScriptReader.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string>
#include <vector>

namespace {

// A whole decimal number filling the field, or nothing.
std::optional<int32_t> Number(std::string_view field) {
    int32_t value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc() || end != field.data() + field.size() || field.empty()) return {};
    return value;
}

class Reader {
  public:
    explicit Reader(Findings& findings) : findings_(findings) {}

    ZoneContent Read(std::string_view bytes) {
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
                if (crs >= 1 && lf != std::string_view::npos) ++linesRead_;
                continue;
            }
            ReadDirective(line);
        }
        for (const auto& [placement, at] : placedAt_) {
            if (content_.blocks.count(placement) == 0) {
                Add(at, finding::ZoneBlock{placement});
            }
        }
        return std::move(content_);
    }

    int32_t linesRead() const { return linesRead_; }

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
        content_.title = std::move(title);
        content_.titleAt = {lineNumber + 1, 1};
        ++linesRead_;
        lineNumber += 1 + static_cast<int32_t>(std::count(written.begin(), written.end(), '\n'));
        bytes.remove_prefix(end + kEnd.size());
        return true;
    }

    // A line the game reads, whatever its numbers hold.
    void ReadDirective(std::string_view line) {
        if (Understood(line)) {
            ++linesRead_;
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
                const std::optional<int32_t> value = Number(fields[i]);
                if (!value) return false;
                n.push_back(*value);
            }
            return true;
        };
        if (kind == "#DEF_LEVEL" || kind == "#DEF_RESPAWN") {
            if (numbers(1)) {
                const bool isLevel = kind == "#DEF_LEVEL";
                (isLevel ? content_.level : content_.respawn) = n[0];
                (isLevel ? content_.levelAt : content_.respawnAt) = {line_, 1};
                return true;
            }
        } else if (kind == "#DEF_ZONETITLE") {
            if (fields.size() == 2) {
                content_.title = std::string(fields[1]);
                content_.titleAt = {line_, 1};
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
                const bool isMarker = mark == ">" || mark == "<" || mark == "*";
                const std::optional<int32_t> mob = Number(mark);
                const std::optional<int32_t> column = Number(fields[1]);
                const std::optional<int32_t> row = Number(fields[2]);
                if ((isMarker || mob) && column && row) {
                    content_.order.push_back({false, content_.codes.size()});
                    content_.codes.push_back(
                        {*column, *row, isMarker ? mark[0] : '\0', mob.value_or(0), {line_, 1}});
                    return true;
                }
            }
        } else if (kind == "#DEF_WAYPOINT") {
            if (numbers(3)) {
                if (content_.paths.empty()) StartPath();
                content_.paths.back().push_back({n[0], n[1], n[2], {line_, 1}});
                return true;
            }
        }
        return false;
    }

    void StartPath() {
        content_.order.push_back({true, content_.paths.size()});
        content_.paths.emplace_back();
    }

    // Codes outside 0 to kMaxGroundCode are no ground; the rest of the row still is.
    void DefineRow(const std::vector<int32_t>& n) {
        if (!InRange("row", n[1], 1, kBlockCells)) return;
        content_.blockAt.try_emplace(n[0], tmx::TmxLocation{line_, 1});
        auto& row = content_.blocks[n[0]][static_cast<size_t>(n[1] - 1)];
        for (size_t column = 0; column < kBlockCells; ++column) {
            row[column] =
                InRange("tile code", n[2 + column], 0, kMaxGroundCode) ? n[2 + column] : 0;
        }
    }

    void Place(const std::vector<int32_t>& n) {
        placedAt_.emplace_back(n[0], line_);
        // Twice a block's first column and row, within the zone's cells.
        constexpr int32_t kLast = 2 * (kZoneCells - 1);
        if (!InRange("placement x", n[1], 0, kLast) || !InRange("placement y", n[2], 0, kLast)) {
            return;
        }
        content_.placements.push_back({n[0], n[1], n[2], {line_, 1}});
    }

    bool InRange(const char* what, int32_t value, int32_t low, int32_t high) {
        if (value >= low && value <= high) return true;
        Add(line_, finding::ZoneNumber{what, value, low, high});
        return false;
    }

    // A warning at the start of a line of the zone script.
    void Add(int32_t line, FindingData what) {
        findings_.push_back({tmx::TmxSeverity::Warning,
                             {line, 1},
                             {FindingSubject::Element::ZoneLine, "", 0, "", 0},
                             std::move(what)});
    }

    Findings& findings_;
    ZoneContent content_;
    std::vector<std::pair<int32_t, int32_t>> placedAt_;  // block id, line
    int32_t line_ = 0;
    std::string_view text_;
    int32_t linesRead_ = 0;
};

}  // namespace

ZoneContent ReadZoneScript(std::string_view bytes, Findings& findings, int32_t* linesRead) {
    Reader reader(findings);
    ZoneContent zone = reader.Read(bytes);
    if (linesRead != nullptr) *linesRead = reader.linesRead();
    return zone;
}
