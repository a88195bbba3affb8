#include "ZoneChangeText.h"

#include <cstdio>
#include <string>

// Built by appending: g++ 12 warns falsely on "(" + std::to_string(…).
std::string SpotWords(ZoneChanges::Spot spot) {
    std::string text = "(";
    text.append(std::to_string(spot.column)).append(", ");
    return text.append(std::to_string(spot.row)).append(")");
}

namespace {

using Spot = ZoneChanges::Spot;
using Change = ZoneChanges::Change;

// A cell's change in the text form: the first few of a block, then a count.
constexpr size_t kCellsWorded = 6;

// "column,row", and the same in brackets: a JSON pair.
std::string Numbers(Spot spot) {
    return std::to_string(spot.column) + "," + std::to_string(spot.row);
}

std::string Pair(Spot spot) {
    std::string text = "[";
    return text.append(Numbers(spot)).append("]");
}

std::string MarkerName(char marker, int32_t number) {
    const int rank = MarkerRank(marker);
    return rank == MarkerRank(0) ? "mob " + std::to_string(number) : kMarkerNames[rank];
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
    }
    return "changed";
}

std::string HeaderWords(const ZoneChanges::Header& header) {
    const bool isTitle = std::string(header.field) == "title";
    const auto value = [&](const std::optional<std::string>& v) {
        return isTitle ? QuotedText(*v) : *v;
    };
    switch (header.change) {
        case Change::Added:
            return std::string(header.field) + " added: " + value(header.after);
        case Change::Removed:
            return std::string(header.field) + " removed (was " + value(header.before) + ")";
        case Change::Changed:
        case Change::Renumbered:
            break;
    }
    return std::string(header.field) + " " + value(header.before) + " -> " + value(header.after);
}

std::string GroundWords(const ZoneChanges::Ground& ground) {
    const size_t count = ground.cells.size();
    std::string text = "ground block " + SpotWords(ground.origin) + ": " + std::to_string(count) +
                       (count == 1 ? " cell" : " cells") + " changed: ";
    for (size_t i = 0; i < count && i < kCellsWorded; ++i) {
        const ZoneChanges::Cell& cell = ground.cells[i];
        text += (i == 0 ? "" : ", ") + SpotWords(cell.at) + " " + std::to_string(cell.before) +
                " -> " + std::to_string(cell.after);
    }
    if (count > kCellsWorded) text += " and " + std::to_string(count - kCellsWorded) + " more";
    return text;
}

std::string MarkerWords(const ZoneChanges::Marker& marker) {
    const std::string name = MarkerName(marker.marker, marker.number);
    using M = ZoneChanges::Marker::Change;
    switch (marker.change) {
        case M::Added:
            return name + " added at " + SpotWords(marker.after);
        case M::Removed:
            return name + " removed from " + SpotWords(marker.before);
        case M::Moved:
            break;
    }
    return name + " moved from " + SpotWords(marker.before) + " to " + SpotWords(marker.after);
}

std::string SpotsWords(const std::vector<Spot>& spots) {
    std::string text;
    for (const Spot spot : spots)
        text.append(text.empty() ? "" : " ").append(SpotWords(spot));
    return text;
}

std::string PathWords(const ZoneChanges::Path& path) {
    switch (path.change) {
        case Change::Added:
            return "path " + std::to_string(path.id) + " added: " + SpotsWords(path.points);
        case Change::Removed:
            return "path " + std::to_string(path.oldId) + " removed: " + SpotsWords(path.points);
        case Change::Changed:
        case Change::Renumbered:
            break;
    }
    std::string text = "path " + std::to_string(path.id);
    if (path.oldId != path.id) text += " (was " + std::to_string(path.oldId) + ")";
    if (path.pointChanges.empty()) return text + " renumbered";
    text += " changed: ";
    using P = ZoneChanges::Point::Change;
    for (size_t i = 0; i < path.pointChanges.size(); ++i) {
        const ZoneChanges::Point& point = path.pointChanges[i];
        text += (i == 0 ? "" : "; ") + std::string("point ") + std::to_string(point.index);
        switch (point.change) {
            case P::Added:
                text += " added at " + SpotWords(point.after);
                break;
            case P::Removed:
                text += " removed from " + SpotWords(point.before);
                break;
            case P::Moved:
                text += " moved from " + SpotWords(point.before) + " to " + SpotWords(point.after);
                break;
        }
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

std::string SpotsJson(const std::vector<Spot>& spots) {
    std::string text = "[";
    for (const Spot spot : spots)
        text.append(text.size() > 1 ? "," : "").append(Pair(spot));
    return text + "]";
}

std::string PointsJson(const ZoneChanges::Path& path) {
    using P = ZoneChanges::Point::Change;
    std::string moved, added, removed;
    for (const ZoneChanges::Point& point : path.pointChanges) {
        const std::string index = std::to_string(point.index);
        const auto put = [](std::string& list, const std::string& item) {
            list += (list.empty() ? "" : ",") + item;
        };
        switch (point.change) {
            case P::Moved:
                put(moved,
                    "[" + index + "," + Numbers(point.before) + "," + Numbers(point.after) + "]");
                break;
            case P::Added:
                put(added, "[" + index + "," + Numbers(point.after) + "]");
                break;
            case P::Removed:
                put(removed, "[" + index + "," + Numbers(point.before) + "]");
                break;
        }
    }
    return ",\"moved\":[" + moved + "],\"added\":[" + added + "],\"removed\":[" + removed + "]";
}

}  // namespace

std::string ChangesText(const ZoneChanges& changes, const std::string& newPath,
                        DiagnosticsForm form) {
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
        for (const ZoneChanges::Cell& cell : ground.cells) {
            cells += (cells.empty() ? "[" : ",[") + std::to_string(cell.at.column) + "," +
                     std::to_string(cell.at.row) + "," + std::to_string(cell.before) + "," +
                     std::to_string(cell.after) + "]";
        }
        out.Add(GroundWords(ground), "ground",
                "\"block\":" + Pair(ground.origin) + ",\"count\":" +
                    std::to_string(ground.cells.size()) + ",\"cells\":[" + cells + "]",
                {});
    }
    for (const ZoneChanges::Marker& marker : changes.markers) {
        using M = ZoneChanges::Marker::Change;
        const std::string name = MarkerName(marker.marker, marker.number);
        std::string fields = "\"kind\":\"" + name.substr(0, name.find(' ')) + "\"";
        if (marker.marker == 0) fields += ",\"number\":" + std::to_string(marker.number);
        fields += std::string(",\"change\":\"") +
                  (marker.change == M::Added     ? "added"
                   : marker.change == M::Removed ? "removed"
                                                 : "moved") +
                  "\"";
        if (marker.change != M::Added) fields += ",\"old\":" + Pair(marker.before);
        if (marker.change != M::Removed) fields += ",\"new\":" + Pair(marker.after);
        out.Add(MarkerWords(marker), "marker", fields, marker.at);
    }
    for (const ZoneChanges::Path& path : changes.paths) {
        std::string fields = std::string("\"change\":\"") + ChangeName(path.change) + "\"";
        if (path.change != Change::Removed) fields += ",\"id\":" + std::to_string(path.id);
        if (path.change != Change::Added) fields += ",\"oldId\":" + std::to_string(path.oldId);
        if (path.change == Change::Changed || path.change == Change::Renumbered) {
            fields += PointsJson(path);
        } else {
            fields += ",\"points\":" + SpotsJson(path.points);
        }
        out.Add(PathWords(path), "path", fields, path.at);
    }
    return out.text();
}
