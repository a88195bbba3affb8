#include "converter/zone/ZoneWriter.h"

#include <array>
#include <charconv>
#include <cstring>
#include <string_view>

namespace {

// "\t0" to "\t255", for the codes of a ground row.
struct CodeText {
    char bytes[4];
    uint8_t length;
};
constexpr std::array<CodeText, 256> kCodeTexts = [] {
    std::array<CodeText, 256> texts{};
    for (int code = 0; code < 256; ++code) {
        CodeText& text = texts[static_cast<size_t>(code)];
        text.bytes[0] = '\t';
        int n = 1;
        if (code >= 100) text.bytes[n++] = static_cast<char>('0' + code / 100);
        if (code >= 10) text.bytes[n++] = static_cast<char>('0' + code / 10 % 10);
        text.bytes[n++] = static_cast<char>('0' + code % 10);
        text.length = static_cast<uint8_t>(n);
    }
    return texts;
}();

// One line of short texts and numbers, put together before it is added.
// The longest line, a tile row, takes under 100 characters.
class Line {
  public:
    Line() = default;
    Line(const Line&) = delete;
    Line& operator=(const Line&) = delete;

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

// Line ends as the text-mode stream wrote them: every LF as CR LF.
constexpr std::string_view kLineEnd = "\r\n";      // a line whose text ended in LF
constexpr std::string_view kHeaderEnd = "\r\r\n";  // one whose text ended in CR LF

class Writer {
  public:
    explicit Writer(std::string& bytes) : bytes_(bytes) {}

    void Header(const Zone& zone) {
        if (zone.level) Add(Line() << "#DEF_LEVEL\t" << *zone.level << "\t", kHeaderEnd);
        if (zone.respawn) Add(Line() << "#DEF_RESPAWN\t" << *zone.respawn << "\t", kHeaderEnd);
        if (zone.title) {
            // A title may hold line breaks: each LF it holds is written as CR LF.
            bytes_ += "#DEF_ZONETITLE\t";
            std::string_view title = *zone.title;
            for (size_t lf; (lf = title.find('\n')) != std::string_view::npos;
                 title.remove_prefix(lf + 1)) {
                bytes_.append(title.substr(0, lf)).append(kLineEnd);
            }
            bytes_.append(title).append("\t").append(kHeaderEnd);
        }
        bytes_ += kLineEnd;
    }

    void Ground(const Zone& zone) {
        // A zone's every block: most of the bytes. Each block is put together
        // in room for its longest rows (an id of 11 characters, codes of three
        // digits), the codes from a table of their texts, and added at once.
        constexpr size_t kLongestRow = 10 + 11 + 1 + 1 + kBlockCells * 4 + 1 + 2;
        bytes_.reserve(bytes_.size() + zone.blocks.size() * kBlockCells * 40 +
                       zone.placements.size() * 32);
        char rows[kBlockCells * kLongestRow + 2];
        for (const Zone::Block& block : zone.blocks) {
            // "#DEF_TILE\t<id>\t", at most 22 bytes: copied as 24 a row, the
            // rest overwritten.
            char prefix[24] = {};
            Line line;
            line << "#DEF_TILE\t" << block.id << "\t";
            std::memcpy(prefix, line.text().data(), line.text().size());
            const size_t prefixLength = line.text().size();
            char* out = rows;
            for (int32_t row = 0; row < kBlockCells; ++row) {
                std::memcpy(out, prefix, sizeof prefix);
                out += prefixLength;
                *out++ = static_cast<char>('1' + row);
                for (const uint8_t code : block.codes[static_cast<size_t>(row)]) {
                    const CodeText& text = kCodeTexts[code];
                    std::memcpy(out, text.bytes, 4);  // whatever the length: there is room
                    out += text.length;
                }
                *out++ = '\t';
                out = Put(out, kLineEnd);
            }
            out = Put(out, kLineEnd);
            bytes_.append(rows, static_cast<size_t>(out - rows));
        }
        for (const Zone::Placement& placement : zone.placements) {
            Add(Line() << "#IMP_TILE\t" << placement.blockId << "\t" << placement.x << "\t"
                       << placement.y,
                kLineEnd);
        }
        bytes_.append(kLineEnd).append(kLineEnd);
    }

    void Objects(const Zone& zone) {
        for (const Zone::Item& item : zone.order) {
            if (!item.isPath) {
                Code(zone.codes[item.index]);
                continue;
            }
            bytes_ += kHeaderEnd;  // the path start line
            for (const Zone::Waypoint& point : zone.paths[item.index]) {
                Add(Line() << "#DEF_WAYPOINT\t" << point.pathId << "\t" << point.column << "\t"
                           << point.row << "\t",
                    kHeaderEnd);
            }
        }
    }

  private:
    void Code(const Zone::Code& code) {
        Line line;
        line << "#DEF_CODE\t" << code.column << "\t" << code.row << "\t";
        if (code.marker != 0) {
            line << std::string_view(&code.marker, 1);
        } else {
            line << code.number;
        }
        Add(line << "\t0\t", kHeaderEnd);
    }

    void Add(const Line& line, std::string_view end) { bytes_.append(line.text()).append(end); }

    static char* Put(char* out, std::string_view text) {
        std::memcpy(out, text.data(), text.size());
        return out + text.size();
    }

    std::string& bytes_;
};

}  // namespace

std::string WriteZoneScript(const Zone& zone) {
    std::string bytes;
    Writer writer(bytes);
    writer.Header(zone);
    writer.Ground(zone);
    writer.Objects(zone);
    return bytes;
}
