#include "converter/tomap/ZoneToMap.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <map>

#include "converter/exports/ConvertMap.h"
#include "converter/game/Objects.h"
#include "converter/game/TileCodes.h"
#include "converter/picture/GroundCodesTileset.h"
#include "converter/text/Escape.h"
#include "converter/zone/ZoneGround.h"
#include "converter/zone/ZoneReader.h"
#include "converter/zone/ZoneWriter.h"
#include "tmx/model/TmxMap.h"

namespace {

// A map holds positions as 32-bit pixels: a cell's centre, column * 32 + 16,
// fits for these cells.
constexpr int64_t kMinCell = (int64_t{INT32_MIN} - kCellPixels / 2) / kCellPixels;
constexpr int64_t kMaxCell = (int64_t{INT32_MAX} - kCellPixels / 2) / kCellPixels;
// Tiled writes positions to six significant digits: below this, exactly.
constexpr int64_t kTiledExact = 1000000;

// 32-bit pixels whose sum wraps as the loader adds a point to its object.
int32_t Wrapped(int64_t pixels) {
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(pixels)));
}

class MapWriter {
  public:
    MapWriter(const Zone& zone, Findings& findings) : zone_(zone), findings_(findings) {}

    std::string Write(const std::string& imageName) {
        std::string groups = ObjectGroups();
        std::string text =
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<map version=\"1.8\" tiledversion=\"1.8.2\" orientation=\"orthogonal\" "
            "renderorder=\"right-down\" width=\"" +
            std::to_string(kZoneCells) + "\" height=\"" + std::to_string(kZoneCells) +
            "\" tilewidth=\"" + std::to_string(kCellPixels) + "\" tileheight=\"" +
            std::to_string(kCellPixels) + "\" infinite=\"0\" nextlayerid=\"" +
            std::to_string(nextLayerId_) + "\" nextobjectid=\"" + std::to_string(nextObjectId_) +
            "\">\n";
        text += Properties();
        text +=
            " <tileset firstgid=\"1\" name=\"Velt ground codes\" tilewidth=\"32\" "
            "tileheight=\"32\" tilecount=\"" +
            std::to_string(kGroundTilesetTiles) + "\" columns=\"" +
            std::to_string(kGroundTilesetColumns) + "\">\n  <image source=\"" +
            XmlAttribute(imageName) + "\" width=\"" +
            std::to_string(kGroundTilesetColumns * kCellPixels) + "\" height=\"" +
            std::to_string(kGroundTilesetRows * kCellPixels) + "\"/>\n </tileset>\n";
        text += Ground();
        text += groups;
        return text + "</map>\n";
    }

  private:
    std::string Properties() {
        if (!zone_.level && !zone_.respawn && !zone_.title) return "";
        std::string text = " <properties>\n";
        if (zone_.level) {
            text += "  <property name=\"Level\" type=\"int\" value=\"" +
                    std::to_string(*zone_.level) + "\"/>\n";
        }
        if (zone_.respawn) {
            text += "  <property name=\"Respawn\" type=\"int\" value=\"" +
                    std::to_string(*zone_.respawn) + "\"/>\n";
        }
        if (zone_.title) {
            // A title from an older tool may be in a Windows code page, or
            // hold bytes no XML document may: the map keeps what it can say.
            const XmlReady title = ForXml(*zone_.title);
            if (title.reread || title.dropped) {
                Add(zone_.titleAt,
                    finding::ZoneText{"the title", title.text, title.reread, title.dropped});
            }
            text += "  <property name=\"Title\" value=\"" + XmlAttribute(title.text) + "\"/>\n";
        }
        if (zone_.title && zone_.title->find_first_of("\r\n") != std::string::npos) {
            Add(zone_.titleAt, finding::ZoneTitle{*zone_.title});
        }
        return text + " </properties>\n";
    }

    // The ground as the game builds it, each code as the local id that gives it.
    std::string Ground() {
        ReportBlocks();
        const ZoneGround ground(zone_);
        std::string text = " <layer id=\"1\" name=\"Ground\" width=\"" +
                           std::to_string(kZoneCells) + "\" height=\"" +
                           std::to_string(kZoneCells) + "\">\n  <data encoding=\"csv\">\n";
        for (int32_t row = 0; row < kZoneCells; ++row) {
            for (int32_t column = 0; column < kZoneCells; ++column) {
                const int32_t id = LocalIdOfCode(ground.At(column, row));
                text += std::to_string(id > 0 ? id + 1 : 0);
                if (column + 1 < kZoneCells || row + 1 < kZoneCells) text += ',';
            }
            text += '\n';
        }
        return text + "</data>\n </layer>\n";
    }

    // How the blocks are used, where a map cannot say it: zone-code once for
    // each placed block, at its first line; zone-placed-again at each
    // placement after its first; zone-unused-block at a block never placed.
    void ReportBlocks() {
        std::map<int32_t, int32_t> placedAt;  // block id, line of its first placement
        for (const Zone::Placement& placement : zone_.placements) {
            const auto [first, isFirst] =
                placedAt.try_emplace(placement.blockId, placement.at.line);
            if (!isFirst) {
                Add(placement.at, finding::ZonePlacedAgain{placement.blockId, first->second});
            }
            const Zone::Block* block = zone_.FindBlock(placement.blockId);
            if (block == nullptr || !isFirst) continue;
            finding::ZoneCode codes{placement.blockId, {}};
            for (const auto& row : block->codes) {
                for (const int32_t code : row) {
                    if (LocalIdOfCode(code) < 0 && std::find(codes.codes.begin(), codes.codes.end(),
                                                             code) == codes.codes.end()) {
                        codes.codes.push_back(code);
                    }
                }
            }
            if (codes.codes.empty()) continue;
            Add(block->at, std::move(codes));
        }
        for (const Zone::Block& block : zone_.blocks) {
            if (placedAt.count(block.id) == 0) Add(block.at, finding::ZoneUnusedBlock{block.id});
        }
    }

    // The codes and paths in the order of their lines, a new group where the
    // kind changes.
    std::string ObjectGroups() {
        std::string text;
        GroupKind open = GroupKind::None;
        int32_t pathCounter = kFirstPathId;
        for (const Zone::Item& item : zone_.order) {
            const GroupKind kind =
                item.isPath ? GroupKind::Waypoints : GroupOfMarker(zone_.codes[item.index].marker);
            if (kind != open) {
                if (open != GroupKind::None) text += " </objectgroup>\n";
                text += " <objectgroup id=\"" + std::to_string(nextLayerId_++) + "\" name=\"" +
                        GroupName(kind) + "\">\n";
                open = kind;
            }
            text += item.isPath ? PathObject(zone_.paths[item.index], pathCounter)
                                : CodeObject(zone_.codes[item.index]);
        }
        if (open != GroupKind::None) text += " </objectgroup>\n";
        return text;
    }

    std::string CodeObject(const Zone::Code& code) {
        const Place place = PlaceOf(code.column, code.row, code.at);
        std::string name;
        if (code.marker == kEntryMarker) name = kEntryNames[0];
        if (code.marker == kExitMarker) name = kExitNames[0];
        if (code.marker == kMobMarker) name = std::to_string(code.number);
        return "  <object id=\"" + std::to_string(nextObjectId_++) + "\"" +
               (name.empty() ? "" : " name=\"" + name + "\"") + " x=\"" + std::to_string(place.x) +
               "\" y=\"" + std::to_string(place.y) + "\"/>\n";
    }

    // A path named by its id, unless the conversion's own count gives it
    // that id; a path start without points is an object with no points.
    std::string PathObject(const std::vector<Zone::Waypoint>& path, int32_t& counter) {
        const std::string id = std::to_string(nextObjectId_++);
        if (path.empty()) return "  <object id=\"" + id + "\" x=\"0\" y=\"0\"/>\n";
        std::string name;
        if (path.front().pathId == counter) {
            ++counter;
        } else {
            name = " name=\"" + std::to_string(path.front().pathId) + "\"";
        }
        const Place start = PlaceOf(path.front().column, path.front().row, path.front().at, false);
        std::string points;
        bool far = false;
        for (const Zone::Waypoint& point : path) {
            const Place place = PlaceOf(point.column, point.row, point.at, !far);
            far = far || place.far;
            points.append(points.empty() ? "" : " ")
                .append(std::to_string(Wrapped(place.x - start.x)))
                .append(",")
                .append(std::to_string(Wrapped(place.y - start.y)));
        }
        return "  <object id=\"" + id + "\"" + name + " x=\"" + std::to_string(start.x) +
               "\" y=\"" + std::to_string(start.y) + "\">\n   <polyline points=\"" + points +
               "\"/>\n  </object>\n";
    }

    struct Place {
        int64_t x;
        int64_t y;
        bool far;  // reported: too far out for Tiled, or for a map
    };

    // The pixel position of a cell's centre; zone-far where a map cannot
    // hold it (then the nearest it can) or Tiled would round it.
    Place PlaceOf(int32_t column, int32_t row, tmx::TmxLocation at, bool report = true) {
        const int64_t keptColumn = std::clamp<int64_t>(column, kMinCell, kMaxCell);
        const int64_t keptRow = std::clamp<int64_t>(row, kMinCell, kMaxCell);
        const Place place{keptColumn * kCellPixels + kCellPixels / 2,
                          keptRow * kCellPixels + kCellPixels / 2, false};
        const bool kept = keptColumn == column && keptRow == row;
        if (kept && std::llabs(place.x) < kTiledExact && std::llabs(place.y) < kTiledExact) {
            return place;
        }
        if (report) {
            Add(at, finding::ZoneFar{{column, row}, {keptColumn, keptRow}});
            // The map keeps it there: only Tiled would move it.
            if (kept) findings_.back().severity = Severity::Note;
        }
        return {place.x, place.y, true};
    }

    template <class Kind>
    void Add(tmx::TmxLocation at, Kind what) {
        findings_.push_back(
            FindingOf(std::move(what), at, {FindingSubject::Element::ZoneLine, "", 0, "", 0}));
    }

    const Zone& zone_;
    Findings& findings_;
    int32_t nextLayerId_ = 2;  // 1 is the ground
    int32_t nextObjectId_ = 1;
};

// The lines, each with its LF where it has one: a last line without its LF
// differs from one with it.
std::vector<std::string_view> Lines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    while (!bytes.empty()) {
        const size_t lf = bytes.find('\n');
        const size_t length = lf == std::string_view::npos ? bytes.size() : lf + 1;
        lines.push_back(bytes.substr(0, length));
        bytes.remove_prefix(length);
    }
    return lines;
}

// A line as the findings quote it: without its line end, its first characters.
std::string Shown(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.remove_suffix(1);
    return std::string(line.substr(0, 60));
}

// zone-round-trip: the map converted back, compared with the zone script
// line by line; the first line that differs, with its line end.
void CheckRoundTrip(std::string_view bytes, const std::string& tmx, Findings& findings) {
    tmx::TmxMap map;
    map.LoadFromText(tmx);
    const std::string back = WriteZoneScript(ConvertMap(map).zone);
    if (!map.failed() && back == bytes) return;
    const std::vector<std::string_view> was = Lines(bytes);
    const std::vector<std::string_view> now = Lines(back);
    size_t line = 0;
    while (line < was.size() && line < now.size() && was[line] == now[line])
        ++line;
    finding::ZoneRoundTrip differs;
    if (line < was.size()) differs.was = Shown(was[line]);
    if (line < now.size()) differs.now = Shown(now[line]);
    // A difference only in the line's end shows as one.
    if (differs.was && differs.was == differs.now) {
        *differs.was += " (its line end)";
        *differs.now += " (another line end)";
    }
    findings.push_back(FindingOf(std::move(differs), {static_cast<int32_t>(line + 1), 1},
                                 {FindingSubject::Element::ZoneLine, "", 0, "", 0}));
}

}  // namespace

ZoneMap MapFromZoneScript(std::string_view bytes, const std::string& imageName) {
    ZoneRead read = ReadZoneScript(bytes);
    ZoneMap map{"", std::move(read.findings), read.linesRead > 0};
    if (!map.isZoneScript) return map;
    map.tmx = MapWriter(read.zone, map.findings).Write(imageName);
    CheckRoundTrip(bytes, map.tmx, map.findings);
    return map;
}
