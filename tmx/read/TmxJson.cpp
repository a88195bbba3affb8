#include "tmx/read/TmxJson.h"

#include <simdjson.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <span>
#include <string_view>

#include "tmx/decode/TmxNumbers.h"
#include "tmx/decode/TmxPrescan.h"
#include "tmx/model/TmxMap.h"
#include "tmx/read/TmxJsonPlaces.h"
#include "tmx/read/TmxLayerData.h"
#include "tmx/read/TmxPointsText.h"
#include "tmx/read/TmxXmlText.h"

namespace tmx {

static_assert(kJsonPadding >= simdjson::SIMDJSON_PADDING);

bool IsJson(const char* text) {
    while (IsCSpace(*text))
        ++text;
    return *text == '{' || *text == '[';
}

namespace {

using simdjson::dom::array;
using simdjson::dom::element;
using simdjson::dom::element_type;
using simdjson::dom::object;

// Keys read as the type they should have; a missing key, or one of another
// type, gives the fallback.
std::string_view String(const object& o, std::string_view key) {
    std::string_view value;
    return o[key].get(value) == simdjson::SUCCESS ? value : std::string_view();
}

bool Bool(const object& o, std::string_view key, bool fallback) {
    bool value = fallback;
    return o[key].get(value) == simdjson::SUCCESS ? value : fallback;
}

bool IsNumber(const element& e) {
    const element_type type = e.type();
    return type == element_type::INT64 || type == element_type::UINT64 ||
           type == element_type::DOUBLE;
}

// A number as Tiled writes an integer attribute in TMX: its digits.
std::string IntegerText(const element& e) {
    int64_t i = 0;
    uint64_t u = 0;
    double d = 0;
    if (e.get(i) == simdjson::SUCCESS) return std::to_string(i);
    if (e.get(u) == simdjson::SUCCESS) return std::to_string(u);
    if (e.get(d) != simdjson::SUCCESS) return "";
    // The whole part; beyond 64 bits the reading saturates all the same.
    if (!(std::fabs(d) < 9.2e18)) return d < 0 ? "-99999999999999999999" : "99999999999999999999";
    return std::to_string(static_cast<int64_t>(std::trunc(d)));
}

std::string PositionText(const element& e) {
    double d = 0;
    return e.get(d) == simdjson::SUCCESS ? TiledPositionText(d) : "";
}

// The numbers of a key, read from their TMX text as TMX attributes are: a
// missing key leaves the field as it was.
void ReadInt(const object& o, std::string_view key, int32_t& field) {
    element e;
    if (o[key].get(e) == simdjson::SUCCESS && IsNumber(e)) ScanInt(IntegerText(e).c_str(), field);
}

void ReadPosition(const object& o, std::string_view key, int32_t& field) {
    element e;
    if (o[key].get(e) == simdjson::SUCCESS && IsNumber(e)) ScanInt(PositionText(e).c_str(), field);
}

void ReadDouble(const object& o, std::string_view key, double& field) {
    element e;
    if (o[key].get(e) == simdjson::SUCCESS && IsNumber(e))
        ScanDouble(PositionText(e).c_str(), field);
}

// The same, as values: a missing key gives `fallback`.
int32_t IntOf(const object& o, std::string_view key) {
    int32_t value = 0;
    ReadInt(o, key, value);
    return value;
}

double DoubleOf(const object& o, std::string_view key, double fallback = 0) {
    ReadDouble(o, key, fallback);
    return fallback;
}

}  // namespace

std::string TiledPositionText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::string TiledFloatText(double d) {
    if (d == 0) return "0";
    char scientific[64];
    const auto written =
        std::to_chars(scientific, scientific + sizeof scientific, d, std::chars_format::scientific);
    const std::string_view text(scientific, static_cast<size_t>(written.ptr - scientific));
    const bool negative = text.front() == '-';
    const size_t e = text.find('e');
    std::string digits;
    for (const char c : text.substr(negative ? 1 : 0, e - (negative ? 1 : 0)))
        if (c != '.') digits += c;
    int exponent = 0;
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(),
                    exponent);
    const int digitCount = static_cast<int>(digits.size());
    const int point = exponent + 1;  // digits before the decimal point
    int cutoff = 6;
    if (point > 0) {
        cutoff = digitCount + 4 + (point <= 10 ? 1 : point > 100 ? 2 : 1);
        if (digitCount > point) ++cutoff;
    }
    std::string out = negative ? "-" : "";
    if (point - 1 < -4 || point - 1 >= cutoff) {
        out += digits.substr(0, 1);
        if (digitCount > 1) out += "." + digits.substr(1);
        char tail[16];
        std::snprintf(tail, sizeof tail, "e%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        return out + tail;
    }
    if (point <= 0) return out + "0." + std::string(static_cast<size_t>(-point), '0') + digits;
    if (point >= digitCount)
        return out + digits + std::string(static_cast<size_t>(point - digitCount), '0');
    return out + digits.substr(0, static_cast<size_t>(point)) + "." +
           digits.substr(static_cast<size_t>(point));
}

std::string PropertyText(std::string_view type, const element& value) {
    std::string_view text;
    bool flag = false;
    double d = 0;
    if (value.get(text) == simdjson::SUCCESS) {
        // Text with a line break goes into the element, not the attribute.
        return text.find('\n') != std::string_view::npos ? Condensed(text) : std::string(text);
    }
    if (value.get(flag) == simdjson::SUCCESS) return flag ? "true" : "false";
    if (!IsNumber(value) || value.get(d) != simdjson::SUCCESS) return "";  // class members are lost
    if (type == "float") return TiledFloatText(d);
    // An int keeps its low 32 bits; a fraction rounds.
    int64_t whole = 0;
    uint64_t big = 0;
    if (value.get(big) == simdjson::SUCCESS) {
        whole = static_cast<int64_t>(big);
    } else if (value.get(whole) != simdjson::SUCCESS) {
        if (type != "int" && type != "object") return TiledFloatText(d);
        whole = std::llround(d);
    }
    return std::to_string(static_cast<int32_t>(static_cast<uint32_t>(whole)));
}

namespace {

// The points of a polygon or polyline, read from the TMX text Tiled writes for
// them ("x,y" with six digits, space-separated), so that a fraction is read
// as it is in TMX. A point that is no object, or a coordinate that is no
// number, Tiled reads as 0.
void ReadPoints(const array& list, TmxPointList& points) {
    std::string text;
    for (const element entry : list) {
        object point;
        const bool isPoint = entry.get(point) == simdjson::SUCCESS;
        const auto coordinate = [&](std::string_view key) {
            element e;
            double d = 0;
            if (isPoint && point[key].get(e) == simdjson::SUCCESS && IsNumber(e) &&
                e.get(d) == simdjson::SUCCESS) {
                return d;
            }
            return 0.0;
        };
        if (!text.empty()) text += ' ';
        text.append(TiledPositionText(coordinate("x")))
            .append(",")
            .append(TiledPositionText(coordinate("y")));
    }
    ReadPointsText(text, points);
}

// JSON that holds no object: no map.
constexpr char kNotAnObject[] = "The document is not a map.";

// Parses `text` into `document`: what is wrong, or "".
std::string Parse(simdjson::dom::parser& parser, const char* text, size_t size, object& document) {
    element root;
    // The nesting bound of XML documents holds for JSON ones too.
    if (const auto error = parser.allocate(size, kMaxNesting); error != simdjson::SUCCESS) {
        return simdjson::error_message(error);
    }
    const auto error = parser.parse(text, size, false).get(root);
    if (error == simdjson::DEPTH_ERROR) {
        return "Elements are nested deeper than " + std::to_string(kMaxNesting) + " levels.";
    }
    if (error != simdjson::SUCCESS)
        return std::string("Not valid JSON: ") + simdjson::error_message(error);
    if (root.get(document) != simdjson::SUCCESS) return kNotAnObject;
    return "";
}

// Why a JSON document is no map, naming the other files Tiled writes in JSON;
// "" for a map. A map says "type": "map" (maps older than Tiled 1.2 may not,
// but they have layers, tilesets or a size).
std::string NoMap(const object& document) {
    const std::string_view type = String(document, "type");
    if (type == "map") return "";
    if (type == "tileset") return "The document is a Tiled tileset, not a map.";
    if (type == "template") return "The document is a Tiled object template, not a map.";
    if (type == "world") return "The document is a Tiled world, not a map.";
    element any;
    if (type.empty() && document["folders"].get(any) == simdjson::SUCCESS) {
        return "The document is a Tiled project, not a map.";
    }
    const bool mapLike = document["layers"].get(any) == simdjson::SUCCESS ||
                         document["tilesets"].get(any) == simdjson::SUCCESS ||
                         document["width"].get(any) == simdjson::SUCCESS;
    return type.empty() && mapLike ? "" : "The document is not a map.";
}

}  // namespace

void TmxJsonReader::ReadMap(TmxMap& map, const char* text, size_t size, std::string* owner) {
    simdjson::dom::parser parser;
    object document;
    // A text of our own gives up its layers' ids before the parse.
    std::optional<TmxJsonPlaces> noted;
    if (owner != nullptr && owner->data() == text) noted.emplace(owner->data(), size);
    const std::string problem = Parse(parser, text, size, document);
    if (!problem.empty()) {
        if (owner != nullptr) std::string().swap(*owner);
        map.RecordError(
            problem == kNotAnObject ? TmxLoadError::NotAMap : TmxLoadError::XmlParseFailed,
            problem);
        return;
    }
    const TmxJsonPlaces& places = noted ? *noted : noted.emplace(std::string_view(text, size));
    // The document holds all it needs: the text goes before the model grows.
    if (owner != nullptr) std::string().swap(*owner);
    if (const std::string problem = NoMap(document); !problem.empty()) {
        map.RecordError(TmxLoadError::NotAMap, problem);
        return;
    }
    ReadMapObject(map, document, Spot{places, TmxJsonPlaces::kDocument});
}

std::string TmxJsonReader::ReadTemplate(const char* text, size_t size, TmxObject& object) {
    simdjson::dom::parser parser;
    Json document;
    if (std::string problem = Parse(parser, text, size, document); !problem.empty()) return problem;
    Json json;
    if (String(document, "type") != "template" ||
        document["object"].get(json) != simdjson::SUCCESS) {
        return "It is not an object template.";
    }
    const TmxJsonPlaces places(std::string_view(text, size));
    ReadObject(object, json, Spot{places, places.Member(TmxJsonPlaces::kDocument, "object")});
    return "";
}

std::string TmxJsonReader::ReadTilesetFile(const char* text, size_t size, TmxTileset& tileset) {
    simdjson::dom::parser parser;
    Json document;
    if (std::string problem = Parse(parser, text, size, document); !problem.empty()) return problem;
    ReadTileset(tileset, document);
    return "";
}

TmxJsonReader::Spot TmxJsonReader::Spot::In(const char* array, size_t index) const {
    return {places, places.Element(places.Member(node, array), index)};
}

TmxLocation TmxJsonReader::Spot::Location() const {
    return places.At(node);
}

// A property's place, where `at` gives its owner's; a tile's properties have none.
void TmxJsonReader::ReadProperties(const Json& owner, TmxProperties& properties, const Spot* at) {
    array list;
    if (owner["properties"].get(list) != simdjson::SUCCESS) return;
    size_t index = 0;
    for (const element entry : list) {
        const size_t place = index++;
        object property;
        std::string_view name;
        element value;
        if (entry.get(property) != simdjson::SUCCESS ||
            property["name"].get(name) != simdjson::SUCCESS) {
            continue;
        }
        const bool hasValue = property["value"].get(value) == simdjson::SUCCESS;
        const std::string_view type = String(property, "type");
        const std::string text = hasValue ? PropertyText(type, value) : "";
        std::string_view written;
        // Condensed where it holds a line break (see PropertyText).
        const bool joined = hasValue && value.get(written) == simdjson::SUCCESS &&
                            written.find('\n') != std::string_view::npos && SpansLines(written);
        const TmxLocation location =
            at != nullptr ? at->In("properties", place).Location() : TmxLocation{};
        TmxProperty read;
        read.value = text;
        read.at = location;
        read.joinedLines = joined;
        read.type = PropertyTypeOf(type);
        read.propertyType = String(property, "propertytype");
        properties.Set(std::string(name), std::move(read));
    }
}

void TmxJsonReader::ReadMapObject(TmxMap& map, const Json& json, const Spot& at) {
    std::string_view version;
    double number = 0;
    if (json["version"].get(version) == simdjson::SUCCESS &&
        ScanDouble(std::string(version).c_str(), number)) {
        map.SetVersion(number);
    }
    map.SetSize(IntOf(json, "width"), IntOf(json, "height"));
    map.SetTileSize(IntOf(json, "tilewidth"), IntOf(json, "tileheight"));
    std::string_view orientation;
    if (json["orientation"].get(orientation) == simdjson::SUCCESS) {
        map.SetOrientation(std::string(orientation));
    }
    map.SetClassName(std::string(String(json, "class")));
    map.SetLocation(at.Location());
    ReadProperties(json, map.editProperties(), &at);
    // Tiled writes every tileset before the layers, so all layers see all.
    array list;
    if (json["tilesets"].get(list) == simdjson::SUCCESS) {
        size_t index = 0;
        for (const element entry : list) {
            Json tileset;
            const Spot place = at.In("tilesets", index++);
            if (entry.get(tileset) != simdjson::SUCCESS) continue;
            TmxTileset read;
            ReadTileset(read, tileset);
            read.SetLocation(place.Location());
            if (!map.AddTileset(std::move(read))) return;
        }
    }
    int32_t orderIndex = 0;
    if (json["layers"].get(list) == simdjson::SUCCESS) {
        size_t index = 0;
        for (const element entry : list) {
            Json layer;
            const Spot place = at.In("layers", index++);
            if (entry.get(layer) == simdjson::SUCCESS) ReadLayerLike(map, layer, place, orderIndex);
        }
    }
}

void TmxJsonReader::ReadTileset(TmxTileset& tileset, const Json& json) {
    const auto number = [&](std::string_view key) { return IntOf(json, key); };
    tileset.SetFirstGid(number("firstgid"));
    tileset.SetName(std::string(String(json, "name")));
    tileset.SetSource(std::string(String(json, "source")));
    tileset.SetObjectAlignment(std::string(String(json, "objectalignment")));
    tileset.SetTileSize(number("tilewidth"), number("tileheight"));
    tileset.SetMargin(number("margin"));
    tileset.SetSpacing(number("spacing"));
    tileset.SetColumns(number("columns"));
    if (const std::string_view image = String(json, "image"); !image.empty()) {
        tileset.SetImage(TmxImage(std::string(image), number("imagewidth"), number("imageheight"),
                                  std::string(String(json, "transparentcolor"))));
    }
    array tiles;
    if (json["tiles"].get(tiles) == simdjson::SUCCESS) {
        for (const element entry : tiles) {
            Json tile;
            if (entry.get(tile) != simdjson::SUCCESS) continue;
            int32_t id = 0;
            ReadInt(tile, "id", id);
            TmxProperties properties;
            ReadProperties(tile, properties, nullptr);
            std::optional<TmxImage> own;
            if (const std::string_view image = String(tile, "image"); !image.empty()) {
                own = TmxImage(std::string(image), IntOf(tile, "imagewidth"),
                               IntOf(tile, "imageheight"), "");
            }
            tileset.AddTile(TmxTile(id, std::move(properties), std::move(own)));
        }
    }
    ReadProperties(json, tileset.editProperties(), nullptr);
}

// A group's children are read as if they stood in its place.
void TmxJsonReader::ReadLayerLike(TmxMap& map, const Json& json, const Spot& at,
                                  int32_t& orderIndex) {
    const std::string_view type = String(json, "type");
    int32_t id = 0;
    ReadInt(json, "id", id);
    const auto readCommon = [&](TmxLayerAttributes& layer) {
        layer.SetLocation(at.Location());
        layer.SetId(id);
        layer.SetName(std::string(String(json, "name")));
        layer.SetSize(IntOf(json, "width"), IntOf(json, "height"));
        layer.SetOpacity(static_cast<float>(DoubleOf(json, "opacity", 1)));
        layer.SetVisible(Bool(json, "visible", true));
        layer.SetOffset(DoubleOf(json, "offsetx"), DoubleOf(json, "offsety"));
        ReadProperties(json, layer.editProperties(), &at);
    };
    if (type == "tilelayer") {
        TmxLayer layer = map.NewLayer();
        readCommon(layer);
        ReadTileLayer(layer, json, at);
        map.AddLayer(std::move(layer), orderIndex);
    } else if (type == "imagelayer") {
        TmxImageLayer layer(map);
        readCommon(layer);
        if (const std::string_view image = String(json, "image"); !image.empty()) {
            layer.SetImage(TmxImage(std::string(image), 0, 0, ""));
        }
        map.AddImageLayer(std::move(layer), orderIndex);
    } else if (type == "objectgroup") {
        TmxObjectGroup group;
        group.SetLocation(at.Location());
        group.SetId(id);
        ReadObjectGroup(group, json, at);
        map.AddObjectGroup(std::move(group), orderIndex);
    } else if (type == "group") {
        TmxGroup group;
        group.location = at.Location();
        group.id = id;
        group.name = String(json, "name");
        group.visible = Bool(json, "visible", true);
        ReadDouble(json, "offsetx", group.offsetX);
        ReadDouble(json, "offsety", group.offsetY);
        ReadProperties(json, group.properties, &at);
        const size_t index = map.BeginGroup(std::move(group), orderIndex);
        array children;
        if (json["layers"].get(children) == simdjson::SUCCESS) {
            size_t index = 0;
            for (const element entry : children) {
                Json child;
                const Spot place = at.In("layers", index++);
                if (entry.get(child) == simdjson::SUCCESS) {
                    ReadLayerLike(map, child, place, orderIndex);
                }
            }
        }
        map.EndGroup(index, orderIndex);
    }
}

void TmxJsonReader::ReadTileLayer(TmxLayer& layer, const Json& json, const Spot& at) {
    const std::string_view compression = String(json, "compression");
    if (String(json, "encoding") == "base64") layer.SetEncoding(TmxEncoding::Base64);
    if (compression == "zlib") layer.SetCompression(TmxCompression::Zlib);
    if (compression == "gzip") layer.SetCompression(TmxCompression::Gzip);
    if (compression == "zstd") layer.SetCompression(TmxCompression::Zstd);
    if (!compression.empty() && layer.compression() == TmxCompression::None &&
        layer.encoding() == TmxEncoding::Base64) {
        layer.NoteProblem(
            {TmxLayerDataProblem::Kind::UnknownCompression, std::string(compression)});
    }
    // Cells from a "data" key: an array of ids, or base64 text.
    const auto readData = [&](const Json& source, const Spot& from, TmxChunk& chunk) {
        std::string_view text;
        array ids;
        if (source["data"].get(text) == simdjson::SUCCESS) {
            if (layer.encoding() == TmxEncoding::Base64) ReadBase64Cells(text, layer, chunk);
            return;
        }
        if (source["data"].get(ids) != simdjson::SUCCESS) return;
        layer.SetEncoding(TmxEncoding::Csv);  // ids as numbers read as CSV text does
        if (std::span<const uint32_t> lifted;
            from.places.LiftedIds(from.places.Member(from.node, "data"), lifted)) {
            const size_t count = std::min(static_cast<size_t>(chunk.CellCount()), lifted.size());
            std::copy_n(lifted.data(), count, chunk.gids.Wide(count));
            return;
        }
        // Ids keep their low 32 bits, as the CSV reading of their digits does.
        const size_t count = std::min(static_cast<size_t>(chunk.CellCount()), ids.size());
        uint32_t* const first = chunk.gids.Wide(count);
        uint32_t* out = first;
        uint32_t* const end = out + count;
        for (const element id : ids) {
            if (out == end) break;
            int64_t i = 0;
            uint64_t u = 0;
            if (id.get_int64().get(i) == simdjson::SUCCESS) {
                *out = static_cast<uint32_t>(i);
            } else if (id.get(u) == simdjson::SUCCESS) {
                *out = static_cast<uint32_t>(u);
            } else {
                *out = out == first ? 0 : out[-1];  // what holds no number repeats
                ScanUnsigned(IntegerText(id).c_str(), *out);
            }
            ++out;
        }
    };
    array chunks;
    if (json["chunks"].get(chunks) != simdjson::SUCCESS) {
        if (TmxChunk* chunk = layer.AddChunk(0, 0, layer.width(), layer.height()))
            readData(json, at, *chunk);
        return;
    }
    size_t index = 0;
    for (const element entry : chunks) {
        Json chunk;
        const Spot place = at.In("chunks", index++);
        if (entry.get(chunk) != simdjson::SUCCESS) continue;
        TmxChunk* read = layer.AddChunk(IntOf(chunk, "x"), IntOf(chunk, "y"), IntOf(chunk, "width"),
                                        IntOf(chunk, "height"));
        if (read != nullptr) readData(chunk, place, *read);
    }
}

void TmxJsonReader::ReadObjectGroup(TmxObjectGroup& group, const Json& json, const Spot& at) {
    group.SetName(std::string(String(json, "name")));
    group.SetSize(IntOf(json, "width"), IntOf(json, "height"));
    group.SetVisible(Bool(json, "visible", true) ? 1 : 0);
    group.SetOffset(DoubleOf(json, "offsetx"), DoubleOf(json, "offsety"));
    ReadProperties(json, group.editProperties(), &at);
    array objects;
    if (json["objects"].get(objects) != simdjson::SUCCESS) return;
    size_t index = 0;
    for (const element entry : objects) {
        Json object;
        const Spot place = at.In("objects", index++);
        if (entry.get(object) != simdjson::SUCCESS) continue;
        TmxObject read;
        ReadObject(read, object, place);
        group.AddObject(std::move(read));
    }
}

void TmxJsonReader::ReadObject(TmxObject& object, const Json& json, const Spot& at) {
    object.SetLocation(at.Location());
    int32_t id = 0;
    ReadInt(json, "id", id);
    object.SetId(id);
    object.SetName(std::string(String(json, "name")));
    std::string_view type = String(json, "type");
    if (type.empty()) type = String(json, "class");
    object.SetType(std::string(type));
    object.SetTemplatePath(std::string(String(json, "template")));
    int32_t numbers[4] = {};  // x, y, width, height
    ReadPosition(json, "x", numbers[0]);
    ReadPosition(json, "y", numbers[1]);
    ReadPosition(json, "width", numbers[2]);
    ReadPosition(json, "height", numbers[3]);
    object.SetPosition(numbers[0], numbers[1]);
    object.SetSize(numbers[2], numbers[3]);
    element gid;
    if (json["gid"].get(gid) == simdjson::SUCCESS) {
        int32_t value = 0;
        ReadInt(json, "gid", value);
        object.SetGid(value);
    }
    if (Bool(json, "ellipse", false)) object.SetShape(TmxShape::Ellipse);
    if (Bool(json, "capsule", false)) object.SetShape(TmxShape::Capsule);
    if (Bool(json, "point", false)) object.SetShape(TmxShape::Point);
    element text;
    if (json["text"].get(text) == simdjson::SUCCESS) object.SetShape(TmxShape::Text);
    array points;
    if (json["polygon"].get(points) == simdjson::SUCCESS) {
        TmxPolygon polygon;
        ReadPoints(points, polygon);
        object.SetPolygon(std::move(polygon));
    }
    if (json["polyline"].get(points) == simdjson::SUCCESS) {
        TmxPolyline polyline;
        ReadPoints(points, polyline);
        object.SetPolyline(std::move(polyline));
    }
    ReadProperties(json, object.editProperties(), &at);
}

}  // namespace tmx
