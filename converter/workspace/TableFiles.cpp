#include "converter/workspace/TableFiles.h"

#include <charconv>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "converter/text/Escape.h"
#include "converter/workspace/NamedFromHere.h"
#include "platform/FileText.h"

namespace {

std::string_view Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \r");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \r") - first + 1);
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

// A spreadsheet's cell: as it is, or within the quotes it puts around a cell
// that holds one, each "" inside a ".
std::string Cell(std::string_view cell) {
    cell = Trimmed(cell);
    if (cell.size() < 2 || cell.front() != '"' || cell.back() != '"') return std::string(cell);
    std::string unquoted;
    for (size_t i = 1; i + 1 < cell.size(); ++i) {
        unquoted += cell[i];
        if (cell[i] == '"' && cell[i + 1] == '"') ++i;
    }
    return unquoted;
}

// The cells of a line, into `cells` (kept from line to line with its room).
void Cells(std::string_view line, std::vector<std::string>& cells) {
    cells.clear();
    for (size_t start = 0;;) {
        const size_t tab = line.find('\t', start);
        cells.push_back(
            Cell(line.substr(start, tab == std::string_view::npos ? tab : tab - start)));
        if (tab == std::string_view::npos) return;
        start = tab + 1;
    }
}

// A row's cells by the names of the columns the reader asked for and the
// header has.
class RowValues {
  public:
    // The cell of the column `name`, "" where the header or the row has none.
    const std::string& operator[](std::string_view name) const {
        const std::string* cell = Find(name);
        return cell != nullptr ? *cell : empty_;
    }
    // The cell of the column `name`, or nullptr where the header has none.
    const std::string* Find(std::string_view name) const {
        for (const auto& [column, cell] : cells_)
            if (column == name) return &cell;
        return nullptr;
    }

  private:
    friend class TableReader;
    std::vector<std::pair<std::string_view, std::string>> cells_;
    std::string empty_;
};

std::optional<int64_t> WholeNumber(const std::string& text) {
    int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return {};
    return value;
}

// Reads a table: `columns` its columns by name ("" where the header has
// none), `row` each line after it; each problem at its line, and none of
// the table where there is one.
class TableReader {
  public:
    TableReader(const std::string& path, std::vector<TableProblem>& problems)
        : shown_(NamedFromHere(path)), problems_(problems) {}

    void Problem(int32_t line, std::string words) {
        problems_.push_back(
            {shown_, FindingOf(finding::Config{std::move(words)}, {line, line > 0 ? 1 : 0})});
        failed_ = true;
    }
    bool failed() const { return failed_; }

    // Whether `key` (a code or a mob number, as `what` words it) is met here
    // first; a problem where another line listed it.
    bool FirstListing(int32_t line, int64_t key, const char* what) {
        const auto [first, isNew] = firstLines_.emplace(key, line);
        if (!isNew) {
            std::string words = what;
            words.append(" ")
                .append(std::to_string(key))
                .append(" is listed twice (first at line ");
            Problem(line, words.append(std::to_string(first->second)).append(")"));
        }
        return isNew;
    }

    // Each row of `text` after its header, by the header's column names.
    template <class Row>
    void Read(std::string_view text, const std::vector<const char*>& needed,
              const std::vector<const char*>& optional, Row row) {
        if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
        std::map<std::string, size_t> columns;
        std::vector<std::pair<std::string_view, size_t>> wanted;  // by name, its column
        std::vector<std::string> cells;
        RowValues values;
        bool header = false;
        int32_t number = 0;
        while (!text.empty()) {
            ++number;
            const size_t end = text.find('\n');
            std::string_view line = text.substr(0, end);
            text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
            const std::string_view trimmed = Trimmed(line);
            if (trimmed.empty() || trimmed.front() == '#') continue;
            Cells(line, cells);
            if (!header) {
                header = true;
                for (size_t i = 0; i < cells.size(); ++i) {
                    const std::string name = Lower(cells[i]);
                    if (!columns.emplace(name, i).second && !name.empty()) {
                        Problem(number, "the header names the column " + Quoted(name) + " twice");
                    }
                }
                for (const char* column : needed) {
                    if (columns.count(column) == 0) {
                        Problem(number, std::string("the header names no ") + Quoted(column) +
                                            " column (the columns are named by the first line "
                                            "that is no comment)");
                    }
                }
                if (failed_) return;
                for (const std::vector<const char*>* names : {&needed, &optional}) {
                    for (const char* name : *names) {
                        const auto column = columns.find(name);
                        if (column == columns.end()) continue;
                        wanted.emplace_back(name, column->second);
                        values.cells_.emplace_back(name, "");
                    }
                }
                continue;
            }
            for (size_t i = 0; i < wanted.size(); ++i) {
                const size_t column = wanted[i].second;
                std::string& cell = values.cells_[i].second;
                if (column < cells.size()) {
                    cell.swap(cells[column]);
                } else {
                    cell.clear();
                }
            }
            row(number, values);
        }
        if (!header) Problem(0, "the table holds no header line naming its columns");
    }

    // A name as a cell holds it: text on one line, in UTF-8.
    bool NameFits(int32_t line, const std::string& name) {
        if (name.empty()) {
            Problem(line, "the name is empty");
            return false;
        }
        for (size_t at = 0; at < name.size();) {
            const auto c = static_cast<unsigned char>(name[at]);
            // Most names are printable ASCII, a byte a character.
            const size_t length = c >= 0x20 && c < 0x7F ? 1 : Utf8Length(name, at);
            if (length == 0) {
                Problem(line, "the name " + QuotedText(name) + " is not UTF-8");
                return false;
            }
            if (c < 0x20 || c == 0x7F) {
                Problem(line, "the name " + QuotedText(name) + " holds a control character");
                return false;
            }
            at += length;
        }
        return true;
    }

  private:
    std::string shown_;
    std::vector<TableProblem>& problems_;
    bool failed_ = false;
    std::unordered_map<int64_t, int32_t> firstLines_;  // a key, the line that lists it
};

std::string BaseName(const std::string& path) {
    const size_t separator = path.find_last_of("/\\");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::optional<uint32_t> Colour(const std::string& text) {
    if (text.size() != 7 || text[0] != '#') return {};
    uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data() + 1, text.data() + 7, value, 16);
    if (error != std::errc() || end != text.data() + 7) return {};
    return value;
}

}  // namespace

std::shared_ptr<const GroundTable> GroundTableOf(const std::string& path, std::string_view text,
                                                 std::vector<TableProblem>& problems) {
    auto table = std::make_shared<GroundTable>(BaseName(path));
    TableReader reader(path, problems);
    bool walkableColumn = false;
    reader.Read(
        text, {"code", "name"}, {"colour", "walkable"}, [&](int32_t line, const RowValues& values) {
            const std::optional<int64_t> code = WholeNumber(values["code"]);
            if (!code || *code < 0 || *code > 255) {
                reader.Problem(line, "the code " + QuotedText(values["code"]) +
                                         " is no ground code (0 to 255)");
                return;
            }
            if (!reader.FirstListing(line, *code, "code")) return;
            if (!reader.NameFits(line, values["name"])) return;
            GroundKind kind{values["name"], {}, {}};
            if (const std::string* colour = values.Find("colour");
                colour != nullptr && !colour->empty()) {
                kind.colour = Colour(*colour);
                if (!kind.colour) {
                    reader.Problem(line, "the colour " + QuotedText(*colour) + " is not #rrggbb");
                    return;
                }
            }
            if (const std::string* walkable = values.Find("walkable"); walkable != nullptr) {
                walkableColumn = true;
                const std::string said = Lower(*walkable);
                if (said != "yes" && said != "no") {
                    reader.Problem(line, "walkable takes yes or no, not " + QuotedText(*walkable));
                    return;
                }
                kind.walkable = said == "yes";
            }
            table->Add(static_cast<int32_t>(*code), std::move(kind));
        });
    if (reader.failed()) return nullptr;
    table->SetSaysWalkable(walkableColumn);
    return table;
}

std::shared_ptr<const MobTable> MobTableOf(const std::string& path, std::string_view text,
                                           std::vector<TableProblem>& problems) {
    TableReader reader(path, problems);
    std::vector<MobKind> mobs;
    reader.Read(text, {"number", "name"}, {}, [&](int32_t line, const RowValues& values) {
        const std::optional<int64_t> number = WholeNumber(values["number"]);
        if (!number) {
            reader.Problem(line,
                           "the number " + QuotedText(values["number"]) + " is no whole number");
            return;
        }
        if (*number < INT32_MIN || *number > INT32_MAX) {
            reader.Problem(line, "the number " + values["number"] +
                                     " is more than the game can hold (it reads "
                                     "32 bits)");
            return;
        }
        if (!reader.FirstListing(line, *number, "mob")) return;
        if (!reader.NameFits(line, values["name"])) return;
        mobs.push_back({static_cast<int32_t>(*number), values["name"]});
    });
    if (reader.failed()) return nullptr;
    return std::make_shared<MobTable>(BaseName(path), std::move(mobs));
}

namespace {

template <class Make>
TableFiles::Read ReadOnce(std::mutex& mutex, std::map<std::string, TableFiles::Read>& read,
                          const std::string& path, Make make) {
    const std::lock_guard<std::mutex> lock(mutex);
    if (const auto found = read.find(path); found != read.end()) return found->second;
    TableFiles::Read table;
    const platform::FileText file = platform::ReadFileText(path, 0);
    if (!file.problem.empty() && file.problem != "The file is empty.") {
        table.unreadable = file.problem;
    } else {
        make(file.text, table);
    }
    return read[path] = table;
}

}  // namespace

TableFiles::Read TableFiles::Ground(const std::string& path) {
    return ReadOnce(mutex_, ground_, path, [&](const std::string& text, Read& table) {
        table.tables.ground = GroundTableOf(path, text, table.problems);
    });
}

TableFiles::Read TableFiles::Mobs(const std::string& path) {
    return ReadOnce(mutex_, mobs_, path, [&](const std::string& text, Read& table) {
        table.tables.mobs = MobTableOf(path, text, table.problems);
    });
}
