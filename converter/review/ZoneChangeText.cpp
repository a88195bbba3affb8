#include "converter/review/ZoneChangeText.h"

#include <algorithm>
#include <map>
#include <span>
#include <string>

#include "converter/findings/Words.h"
#include "converter/game/Objects.h"
#include "converter/text/Escape.h"
#include "converter/text/Lists.h"

namespace {

using Change = ZoneChanges::Change;

// A cell's change in the text form: the first few of a block, then a count.
constexpr size_t kCellsWorded = 6;

// "column,row", and the same in brackets: a JSON pair.
std::string Numbers(Cell spot) {
    return std::to_string(spot.column) + "," + std::to_string(spot.row);
}

std::string Pair(Cell spot) {
    std::string text = "[";
    return text.append(Numbers(spot)).append("]");
}

std::string MarkerName(char marker, int32_t number, const GameTables* tables) {
    const int rank = MarkerRank(marker);
    return rank == kMobRank ? MobWords(number, tables) : kMarkerNames[rank];
}

const char* ChangeName(Change change) {
    switch (change) {
        case Change::Added:
            return "added";
        case Change::Removed:
            return "removed";
        case Change::Changed:
            return "changed";
        case Change::Renumbered:
            return "renumbered";
        case Change::Moved:
            break;
    }
    return "moved";
}

// What happened to a thing at a cell: "added at (1, 2)", "removed from (1,
// 2)", "moved from (1, 2) to (3, 4)".
std::string PlaceWords(Change change, Cell before, Cell after) {
    if (change == Change::Added) return "added at " + CellWords(after);
    if (change == Change::Removed) return "removed from " + CellWords(before);
    return "moved from " + CellWords(before) + " to " + CellWords(after);
}

std::string HeaderWords(const ZoneChanges::Header& header) {
    const bool isTitle = std::string(header.field) == "title";
    const auto value = [&](const std::optional<std::string>& v) {
        return isTitle ? QuotedText(*v) : *v;
    };
    if (header.change == Change::Added) {
        return std::string(header.field) + " added: " + value(header.after);
    }
    if (header.change == Change::Removed) {
        return std::string(header.field) + " removed (was " + value(header.before) + ")";
    }
    return std::string(header.field) + " " + value(header.before) + " -> " + value(header.after);
}

std::string GroundWords(const ZoneChanges::Ground& ground, bool brief, const GameTables* tables) {
    const size_t count = ground.cells.size();
    std::string text = "ground block " + CellWords(ground.origin) + ": " + std::to_string(count) +
                       (count == 1 ? " cell" : " cells") + " changed";
    if (brief) return text;
    text += ": ";
    const auto cellWords = [tables](const ZoneChanges::CellChange& cell) {
        return CellWords(cell.at) + " " + CodeWords(cell.before, tables) + " -> " +
               CodeWords(cell.after, tables);
    };
    const std::span<const ZoneChanges::CellChange> shown(ground.cells.data(),
                                                         std::min(count, kCellsWorded));
    return text + Listed(shown, static_cast<int64_t>(count), cellWords, LastJoin::Comma);
}

std::string MarkerWords(const ZoneChanges::Marker& marker, const GameTables* tables) {
    return MarkerName(marker.marker, marker.number, tables) + " " +
           PlaceWords(marker.change, marker.before, marker.after);
}

std::string ReachWords(const std::string& what, const ZoneChanges::Reach& reach) {
    return what + " at " + CellWords(reach.at) +
           (reach.reached ? " can be reached from an entry again"
                          : " can no longer be reached from an entry");
}

std::string CellsWords(const std::vector<Cell>& spots) {
    std::string text;
    for (const Cell spot : spots)
        text.append(text.empty() ? "" : " ").append(CellWords(spot));
    return text;
}

std::string PathWords(const ZoneChanges::Path& path) {
    if (path.change == Change::Added) {
        return "path " + std::to_string(path.id) + " added: " + CellsWords(path.points);
    }
    if (path.change == Change::Removed) {
        return "path " + std::to_string(path.oldId) + " removed: " + CellsWords(path.points);
    }
    std::string text = "path " + std::to_string(path.id);
    if (path.oldId != path.id) text += " (was " + std::to_string(path.oldId) + ")";
    if (path.pointChanges.empty()) return text + " renumbered";
    text += " changed: ";
    for (size_t i = 0; i < path.pointChanges.size(); ++i) {
        const ZoneChanges::Point& point = path.pointChanges[i];
        text += (i == 0 ? "" : "; ") + std::string("point ") + std::to_string(point.index) + " " +
                PlaceWords(point.change, point.before, point.after);
    }
    return text;
}

// One change in the chosen form: its words, its JSON fields (after "what"),
// and its place in the new zone's file where it has one.
class Writer {
  public:
    Writer(const std::string& path, DiagnosticsForm form) : path_(path), form_(form) {}

    void Add(const std::string& words, const std::string& what, const std::string& fields,
             tmx::TmxLocation at) {
        const std::string line = std::to_string(at.line);
        const std::string column = std::to_string(at.column);
        switch (form_) {
            case DiagnosticsForm::Text:
            case DiagnosticsForm::Sarif:  // documents of findings, which changes are not
            case DiagnosticsForm::CodeQuality:
                if (at.line > 0) text_ += path_ + ":" + line + ":" + column + ": ";
                text_ += words + "\n";
                return;
            case DiagnosticsForm::Json:
                text_ += "{\"what\":\"" + what + "\"," + fields;
                if (at.line > 0) {
                    text_ += ",\"file\":" + JsonString(path_) + ",\"line\":" + line +
                             ",\"column\":" + column;
                }
                text_ += ",\"message\":" + JsonString(words) + "}\n";
                return;
            case DiagnosticsForm::Github:
                text_ += "::notice file=" + GithubText(path_, true) +
                         (at.line > 0 ? ",line=" + line + ",col=" + column : "") +
                         ",title=zone change::" + GithubText(words, false) + "\n";
                return;
        }
    }

    std::string text() const { return text_; }

  private:
    const std::string& path_;
    DiagnosticsForm form_;
    std::string text_;
};

std::string JsonValue(const std::optional<std::string>& value, bool isText) {
    if (!value) return "null";
    return isText ? JsonString(*value) : *value;
}

std::string CellsJson(const std::vector<Cell>& spots) {
    std::string text = "[";
    for (const Cell spot : spots)
        text.append(text.size() > 1 ? "," : "").append(Pair(spot));
    return text + "]";
}

std::string PointsJson(const ZoneChanges::Path& path) {
    std::string moved, added, removed;
    for (const ZoneChanges::Point& point : path.pointChanges) {
        const std::string index = std::to_string(point.index);
        const auto put = [](std::string& list, const std::string& item) {
            list += (list.empty() ? "" : ",") + item;
        };
        if (point.change == Change::Added) {
            put(added, "[" + index + "," + Numbers(point.after) + "]");
        } else if (point.change == Change::Removed) {
            put(removed, "[" + index + "," + Numbers(point.before) + "]");
        } else {
            put(moved,
                "[" + index + "," + Numbers(point.before) + "," + Numbers(point.after) + "]");
        }
    }
    return ",\"moved\":[" + moved + "],\"added\":[" + added + "],\"removed\":[" + removed + "]";
}

// The names the tables give the codes of a block's changed cells, as a JSON
// field; none where they name none.
std::string NamesJson(const ZoneChanges::Ground& ground, const GameTables* tables) {
    if (tables == nullptr || !tables->ground) return "";
    std::map<int32_t, std::string> names;
    for (const ZoneChanges::CellChange& cell : ground.cells) {
        for (const int32_t code : {cell.before, cell.after}) {
            if (const GroundKind* kind = tables->ground->Of(code)) names[code] = kind->name;
        }
    }
    if (names.empty()) return "";
    std::string json = ",\"names\":{";
    for (const auto& [code, name] : names) {
        json.append(json.back() == '{' ? "" : ",").append("\"").append(std::to_string(code));
        json.append("\":").append(JsonString(name));
    }
    return json + "}";
}

}  // namespace

std::string ChangesText(const ZoneChanges& changes, const std::string& newPath,
                        DiagnosticsForm form, const GameTables* tables) {
    Writer out(newPath, form);
    for (const ZoneChanges::Header& header : changes.header) {
        const bool isText = std::string(header.field) == "title";
        out.Add(HeaderWords(header), "header",
                "\"field\":\"" + std::string(header.field) + "\",\"change\":\"" +
                    ChangeName(header.change) + "\",\"old\":" + JsonValue(header.before, isText) +
                    ",\"new\":" + JsonValue(header.after, isText),
                header.at);
    }
    for (const ZoneChanges::Ground& ground : changes.ground) {
        std::string cells;
        for (const ZoneChanges::CellChange& cell : ground.cells) {
            cells += (cells.empty() ? "[" : ",[") + std::to_string(cell.at.column) + "," +
                     std::to_string(cell.at.row) + "," + std::to_string(cell.before) + "," +
                     std::to_string(cell.after) + "]";
        }
        out.Add(GroundWords(ground, false, tables), "ground",
                "\"block\":" + Pair(ground.origin) +
                    ",\"count\":" + std::to_string(ground.cells.size()) + ",\"cells\":[" + cells +
                    "]" + NamesJson(ground, tables),
                {});
    }
    for (const ZoneChanges::Marker& marker : changes.markers) {
        const std::string name = MarkerName(marker.marker, marker.number, nullptr);
        std::string fields = "\"kind\":\"" + name.substr(0, name.find(' ')) + "\"";
        if (marker.marker == kMobMarker) {
            fields += ",\"number\":" + std::to_string(marker.number);
            const std::string* mobName =
                tables != nullptr && tables->mobs ? tables->mobs->NameOf(marker.number) : nullptr;
            if (mobName != nullptr) fields += ",\"name\":" + JsonString(*mobName);
        }
        fields += std::string(",\"change\":\"") + ChangeName(marker.change) + "\"";
        if (marker.change != Change::Added) fields += ",\"old\":" + Pair(marker.before);
        if (marker.change != Change::Removed) fields += ",\"new\":" + Pair(marker.after);
        out.Add(MarkerWords(marker, tables), "marker", fields, marker.at);
    }
    for (const ZoneChanges::Path& path : changes.paths) {
        std::string fields = std::string("\"change\":\"") + ChangeName(path.change) + "\"";
        if (path.change != Change::Removed) fields += ",\"id\":" + std::to_string(path.id);
        if (path.change != Change::Added) fields += ",\"oldId\":" + std::to_string(path.oldId);
        if (path.change == Change::Changed || path.change == Change::Renumbered) {
            fields += PointsJson(path);
        } else {
            fields += ",\"points\":" + CellsJson(path.points);
        }
        out.Add(PathWords(path), "path", fields, path.at);
    }
    for (const ZoneChanges::Reach& reach : changes.reach) {
        const std::string what = reach.pathId != 0
                                     ? "path " + std::to_string(reach.pathId) + "'s first point"
                                     : MarkerName(reach.marker, reach.number, tables);
        std::string fields =
            reach.pathId != 0
                ? "\"kind\":\"path\",\"id\":" + std::to_string(reach.pathId)
                : "\"kind\":\"" + std::string(kMarkerNames[MarkerRank(reach.marker)]) + "\"";
        if (reach.pathId == 0 && reach.marker == kMobMarker) {
            fields += ",\"number\":" + std::to_string(reach.number);
        }
        fields += std::string(",\"change\":\"") + (reach.reached ? "reachable" : "unreachable") +
                  "\",\"at\":" + Pair(reach.at);
        out.Add(ReachWords(what, reach), "reach", fields, reach.where);
    }
    return out.text();
}

std::vector<std::string> ChangeWords(const ZoneChanges& changes, bool brief,
                                     const GameTables* tables) {
    std::vector<std::string> words;
    for (const ZoneChanges::Header& header : changes.header)
        words.push_back(HeaderWords(header));
    for (const ZoneChanges::Ground& ground : changes.ground)
        words.push_back(GroundWords(ground, brief, tables));
    for (const ZoneChanges::Marker& marker : changes.markers)
        words.push_back(MarkerWords(marker, tables));
    for (const ZoneChanges::Path& path : changes.paths)
        words.push_back(PathWords(path));
    for (const ZoneChanges::Reach& reach : changes.reach) {
        words.push_back(ReachWords(reach.pathId != 0
                                       ? "path " + std::to_string(reach.pathId) + "'s first point"
                                       : MarkerName(reach.marker, reach.number, tables),
                                   reach));
    }
    return words;
}
