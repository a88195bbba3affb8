#include "tmx/read/TmxXmlReader.h"

#include <tinyxml.h>

#include <algorithm>
#include <cstring>
#include <string_view>

#include "tmx/decode/TmxLiftedTexts.h"
#include "tmx/decode/TmxNumbers.h"
#include "tmx/model/TmxMap.h"
#include "tmx/read/TmxLayerData.h"
#include "tmx/read/TmxPointsText.h"
#include "tmx/read/TmxXml.h"
#include "tmx/read/TmxXmlText.h"

namespace tmx {
namespace {

bool Is(const TiXmlElement* element, const char* name) {
    return std::strcmp(element->Value(), name) == 0;
}

// The text of `source` from `at` (a line and a byte column) up to the next
// markup: an element's content as written, before the parser condensed it.
std::string_view RawTextAt(std::string_view source, TmxLocation at) {
    size_t start = 0;
    for (int32_t line = 1; line < at.line; ++line) {
        start = source.find('\n', start);
        if (start == std::string_view::npos) return {};
        ++start;
    }
    start += static_cast<size_t>(std::max(at.column, 1) - 1);
    if (start >= source.size()) return {};
    const size_t end = source.find('<', start);
    return source.substr(start, end == std::string_view::npos ? end : end - start);
}

// The `property` children of a `properties` element. A name read again
// replaces the earlier value. A `property` without a "name" is skipped; one
// without a "value" stores its text content (how Tiled saves multi-line
// values), or the empty text. `source`, the text the element was parsed from,
// tells where that content spanned lines.
void ReadProperties(const TiXmlElement* element, TmxProperties& properties,
                    std::string_view source = {}) {
    for (const TiXmlElement* property = element->FirstChildElement("property"); property;
         property = property->NextSiblingElement("property")) {
        const char* name = property->Attribute("name");
        if (name == nullptr) continue;
        const char* value = property->Attribute("value");
        bool joined = false;
        if (value == nullptr) {
            value = property->GetText();
            const TiXmlNode* text = property->FirstChild();
            if (value != nullptr && !source.empty() && text != nullptr) {
                joined = SpansLines(RawTextAt(source, LocationOf(text)));
            }
        }
        TmxProperty read;
        read.value = value != nullptr ? value : "";
        read.at = LocationOf(property);
        read.joinedLines = joined;
        if (const char* type = property->Attribute("type")) read.type = PropertyTypeOf(type);
        if (const char* custom = property->Attribute("propertytype")) read.propertyType = custom;
        properties.Set(name, std::move(read));
    }
}

// How every record but the map finds its properties: its first block.
void ReadFirstProperties(const TiXmlElement* owner, TmxProperties& properties) {
    if (const TiXmlElement* block = owner->FirstChildElement("properties")) {
        ReadProperties(block, properties);
    }
}

int32_t IntAttribute(const TiXmlElement* element, const char* name, int32_t fallback = 0) {
    ReadIntAttribute(element, name, fallback);
    return fallback;
}

double DoubleAttribute(const TiXmlElement* element, const char* name) {
    double value = 0;
    ReadDoubleAttribute(element, name, value);
    return value;
}

std::string TextAttribute(const TiXmlElement* element, const char* name) {
    const char* text = element->Attribute(name);
    return text != nullptr ? text : "";
}

TmxImage ReadImage(const TiXmlElement* element) {
    return {TextAttribute(element, "source"), IntAttribute(element, "width"),
            IntAttribute(element, "height"), TextAttribute(element, "trans")};
}

TmxTileset ReadTilesetElement(const TiXmlElement* element) {
    TmxTileset tileset;
    tileset.SetFirstGid(IntAttribute(element, "firstgid"));
    tileset.SetTileSize(IntAttribute(element, "tilewidth"), IntAttribute(element, "tileheight"));
    tileset.SetMargin(IntAttribute(element, "margin"));
    tileset.SetSpacing(IntAttribute(element, "spacing"));
    tileset.SetColumns(IntAttribute(element, "columns"));
    tileset.SetName(TextAttribute(element, "name"));
    tileset.SetSource(TextAttribute(element, "source"));
    tileset.SetObjectAlignment(TextAttribute(element, "objectalignment"));
    if (const TiXmlElement* image = element->FirstChildElement("image")) {
        tileset.SetImage(ReadImage(image));
    }
    for (const TiXmlElement* tile = element->FirstChildElement("tile"); tile;
         tile = tile->NextSiblingElement("tile")) {
        TmxProperties properties;
        ReadFirstProperties(tile, properties);
        std::optional<TmxImage> own;
        if (const TiXmlElement* image = tile->FirstChildElement("image")) own = ReadImage(image);
        tileset.AddTile(TmxTile(IntAttribute(tile, "id"), std::move(properties), std::move(own)));
    }
    ReadFirstProperties(element, tileset.editProperties());
    return tileset;
}

void ReadLayerAttributes(const TiXmlElement* element, TmxLayerAttributes& layer) {
    layer.SetLocation(LocationOf(element));
    layer.SetId(IntAttribute(element, "id"));
    layer.SetName(TextAttribute(element, "name"));
    layer.SetOffset(DoubleAttribute(element, "offsetx"), DoubleAttribute(element, "offsety"));
    layer.SetSize(IntAttribute(element, "width"), IntAttribute(element, "height"));
    if (const char* text = element->Attribute("opacity")) {
        layer.SetOpacity(static_cast<float>(Atof(text)));
    }
    if (const char* text = element->Attribute("visible")) layer.SetVisible(Atoi(text) != 0);
    ReadFirstProperties(element, layer.editProperties());
}

// The text of `data`, as TinyXML condensed it or as it was lifted before
// parsing (then `taken`, the reader's to free); empty when it has none.
const std::string& DataText(const TiXmlElement* data, TmxLiftedTexts& lifted, std::string*& taken) {
    static const std::string kNone;
    const TiXmlNode* first = data->FirstChild();
    const TiXmlText* text = first != nullptr ? first->ToText() : nullptr;
    // Tiles lifted out were elements, not text.
    if (text == nullptr || LiftedTiles(lifted, text->ValueStr()) != nullptr) return kNone;
    taken = LiftedText(lifted, text->ValueStr());
    return taken != nullptr ? *taken : text->ValueStr();
}

void ReadXmlTiles(const TiXmlElement* data, TmxLiftedTexts& lifted, TmxChunk& chunk) {
    const auto count = static_cast<size_t>(chunk.CellCount());
    const TiXmlNode* first = data->FirstChild();
    if (const TiXmlText* text = first != nullptr ? first->ToText() : nullptr) {
        if (std::vector<uint32_t>* gids = LiftedTiles(lifted, text->ValueStr())) {
            const size_t taken = std::min(gids->size(), count);
            std::copy_n(gids->data(), taken, chunk.gids.Wide(taken));
            std::vector<uint32_t>().swap(*gids);
            return;
        }
    }
    for (const TiXmlElement* tile = data->FirstChildElement("tile");
         tile != nullptr && chunk.gids.size() < count; tile = tile->NextSiblingElement("tile")) {
        uint32_t gid = 0;
        if (const char* text = tile->Attribute("gid")) ScanUnsigned(text, gid);
        chunk.gids.push_back(gid);
    }
}

// The cells of one chunk from `source` (the `data` or `chunk` element, or none).
void ReadChunk(const TiXmlElement* source, TmxLayer& layer, TmxLiftedTexts& lifted, int32_t x,
               int32_t y, int32_t width, int32_t height) {
    TmxChunk* chunk = layer.AddChunk(x, y, width, height);
    if (chunk == nullptr || source == nullptr) return;
    std::string* taken = nullptr;
    switch (layer.encoding()) {
        case TmxEncoding::Xml:
            ReadXmlTiles(source, lifted, *chunk);
            break;
        case TmxEncoding::Base64:
            ReadBase64Cells(DataText(source, lifted, taken), layer, *chunk);
            break;
        case TmxEncoding::Csv:
            ReadCsvCells(DataText(source, lifted, taken), *chunk);
            break;
    }
    // Its ids are read: the text goes before the next layer's ids come.
    if (taken != nullptr) std::string().swap(*taken);
}

void ReadTileLayer(const TiXmlElement* element, TmxLayer& layer, TmxLiftedTexts& lifted) {
    ReadLayerAttributes(element, layer);
    const TiXmlElement* data = element->FirstChildElement("data");
    if (data != nullptr) {
        if (const char* encoding = data->Attribute("encoding")) {
            if (std::strcmp(encoding, "base64") == 0) layer.SetEncoding(TmxEncoding::Base64);
            if (std::strcmp(encoding, "csv") == 0) layer.SetEncoding(TmxEncoding::Csv);
        }
        if (const char* compression = data->Attribute("compression")) {
            if (std::strcmp(compression, "zlib") == 0) layer.SetCompression(TmxCompression::Zlib);
            if (std::strcmp(compression, "gzip") == 0) layer.SetCompression(TmxCompression::Gzip);
            if (std::strcmp(compression, "zstd") == 0) layer.SetCompression(TmxCompression::Zstd);
            if (layer.compression() == TmxCompression::None &&
                layer.encoding() == TmxEncoding::Base64) {
                layer.NoteProblem({TmxLayerDataProblem::Kind::UnknownCompression, compression});
            }
        }
    }
    // An infinite map's layer lists its cells in chunks; any other layer is
    // one chunk of its own size at the origin.
    const TiXmlElement* chunk = data != nullptr ? data->FirstChildElement("chunk") : nullptr;
    if (chunk == nullptr) {
        ReadChunk(data, layer, lifted, 0, 0, layer.width(), layer.height());
        return;
    }
    for (; chunk != nullptr; chunk = chunk->NextSiblingElement("chunk")) {
        ReadChunk(chunk, layer, lifted, IntAttribute(chunk, "x"), IntAttribute(chunk, "y"),
                  IntAttribute(chunk, "width"), IntAttribute(chunk, "height"));
    }
}

TmxObjectGroup ReadObjectGroup(const TiXmlElement* element) {
    TmxObjectGroup group;
    group.SetLocation(LocationOf(element));
    group.SetId(IntAttribute(element, "id"));
    group.SetName(TextAttribute(element, "name"));
    group.SetOffset(DoubleAttribute(element, "offsetx"), DoubleAttribute(element, "offsety"));
    group.SetSize(IntAttribute(element, "width"), IntAttribute(element, "height"));
    group.SetVisible(IntAttribute(element, "visible", 1));
    ReadFirstProperties(element, group.editProperties());
    for (const TiXmlElement* object = element->FirstChildElement("object"); object;
         object = object->NextSiblingElement("object")) {
        TmxObject read;
        TmxXmlReader::ReadObject(object, read);
        group.AddObject(std::move(read));
    }
    return group;
}

// A group layer's children are read as if they stood in its place; the
// group's own attributes and properties do not apply to them. The nesting
// bound checked before parsing bounds this recursion too.
void ReadLayerLike(const TiXmlElement* element, TmxMap& map, TmxLiftedTexts& lifted,
                   int32_t& orderIndex) {
    if (Is(element, "layer")) {
        TmxLayer layer = map.NewLayer();
        ReadTileLayer(element, layer, lifted);
        map.AddLayer(std::move(layer), orderIndex);
    } else if (Is(element, "imagelayer")) {
        TmxImageLayer layer(map);
        ReadLayerAttributes(element, layer);
        if (const TiXmlElement* image = element->FirstChildElement("image")) {
            layer.SetImage(ReadImage(image));
        }
        map.AddImageLayer(std::move(layer), orderIndex);
    } else if (Is(element, "objectgroup")) {
        map.AddObjectGroup(ReadObjectGroup(element), orderIndex);
    } else if (Is(element, "group")) {
        TmxGroup group;
        group.location = LocationOf(element);
        group.id = IntAttribute(element, "id");
        group.name = TextAttribute(element, "name");
        if (const char* text = element->Attribute("visible")) group.visible = Atoi(text) != 0;
        group.offsetX = DoubleAttribute(element, "offsetx");
        group.offsetY = DoubleAttribute(element, "offsety");
        ReadFirstProperties(element, group.properties);
        const size_t index = map.BeginGroup(std::move(group), orderIndex);
        for (const TiXmlElement* child = element->FirstChildElement(); child;
             child = child->NextSiblingElement()) {
            ReadLayerLike(child, map, lifted, orderIndex);
        }
        map.EndGroup(index, orderIndex);
    }
}

}  // namespace

void TmxXmlReader::ReadMap(TmxMap& map, const char* text, size_t size, std::string* owner) {
    TiXmlDocument document;
    TmxLocation at;
    // The layers' texts are lifted out for the parser; the text itself stays
    // until the map's own properties are read.
    TmxLiftedTexts lifted = LiftLayerTexts(text);
    const bool lift = !lifted.document.empty();
    if (std::string problem = ParseXml(lift ? lifted.document.c_str() : text,
                                       lift ? &lifted.document : nullptr, document, at);
        !problem.empty()) {
        map.RecordError(TmxLoadError::XmlParseFailed, std::move(problem), at);
        return;
    }
    const TiXmlElement* element = document.FirstChildElement("map");
    if (element == nullptr) {
        map.RecordError(TmxLoadError::NotAMap, "The document has no map element.");
        return;
    }
    map.SetLocation(LocationOf(element));
    if (const char* version = element->Attribute("version")) {
        double value = 0;
        if (ScanDouble(version, value)) map.SetVersion(value);
    }
    map.SetSize(IntAttribute(element, "width"), IntAttribute(element, "height"));
    map.SetTileSize(IntAttribute(element, "tilewidth"), IntAttribute(element, "tileheight"));
    if (const char* orientation = element->Attribute("orientation"))
        map.SetOrientation(orientation);
    if (const char* name = element->Attribute("class")) map.SetClassName(name);

    // Layer-like children share one counter: their stacking order in the map.
    std::string_view source(text, size);
    int32_t orderIndex = 0;
    for (const TiXmlElement* child = element->FirstChildElement(); child;
         child = child->NextSiblingElement()) {
        if (Is(child, "properties")) {
            ReadProperties(child, map.editProperties(), source);
            continue;
        }
        // The text goes before the model grows; the map's properties, which
        // come first, have used it.
        if (owner != nullptr) std::string().swap(*owner);
        source = {};
        if (Is(child, "tileset")) {
            TmxTileset tileset = ReadTilesetElement(child);
            tileset.SetLocation(LocationOf(child));
            if (!map.AddTileset(std::move(tileset))) return;
        } else {
            ReadLayerLike(child, map, lifted, orderIndex);
        }
    }
}

void TmxXmlReader::ReadObject(const TiXmlElement* element, TmxObject& object) {
    object.SetLocation(LocationOf(element));
    // Maps hold thousands of objects: each attribute and child is looked at once.
    // An attribute is told by its first letter before its name is compared.
    int32_t id = 0, x = 0, y = 0, width = 0, height = 0, gid = 0;
    bool hasGid = false;
    for (const TiXmlAttribute* a = element->FirstAttribute(); a != nullptr; a = a->Next()) {
        const char* name = a->Name();
        const char* value = a->Value();
        const auto is = [&](const char* known) { return std::strcmp(name, known) == 0; };
        switch (name[0]) {
            case 'i':
                if (is("id")) ScanInt(value, id);
                break;
            case 'x':
                if (name[1] == '\0') ScanInt(value, x);
                break;
            case 'y':
                if (name[1] == '\0') ScanInt(value, y);
                break;
            case 'w':
                if (is("width")) ScanInt(value, width);
                break;
            case 'h':
                if (is("height")) ScanInt(value, height);
                break;
            case 'g':
                if (is("gid")) {
                    ScanInt(value, gid);
                    hasGid = true;
                }
                break;
            case 'n':
                if (is("name")) object.SetName(value);
                break;
            case 't':
                if (is("type")) object.SetType(value);
                if (is("template")) object.SetTemplatePath(value);
                break;
            default:
                break;
        }
    }
    object.SetId(id);
    object.SetPosition(x, y);
    object.SetSize(width, height);
    if (hasGid) object.SetGid(gid);

    // The first child of each name counts; the shapes in this order of precedence.
    const TiXmlElement* shapes[6] = {};  // ellipse, capsule, point, text, polygon, polyline
    const TiXmlElement* properties = nullptr;
    static constexpr const char* kShapeNames[6] = {"ellipse", "capsule", "point",
                                                   "text",    "polygon", "polyline"};
    for (const TiXmlElement* child = element->FirstChildElement(); child != nullptr;
         child = child->NextSiblingElement()) {
        const char* name = child->Value();
        if (properties == nullptr && std::strcmp(name, "properties") == 0) properties = child;
        for (int i = 0; i < 6; ++i) {
            if (shapes[i] == nullptr && std::strcmp(name, kShapeNames[i]) == 0) shapes[i] = child;
        }
    }
    if (shapes[0] != nullptr) object.SetShape(TmxShape::Ellipse);
    if (shapes[1] != nullptr) object.SetShape(TmxShape::Capsule);
    if (shapes[2] != nullptr) object.SetShape(TmxShape::Point);
    if (shapes[3] != nullptr) object.SetShape(TmxShape::Text);
    if (shapes[4] != nullptr) {
        TmxPolygon polygon;
        if (const char* points = shapes[4]->Attribute("points")) ReadPointsText(points, polygon);
        object.SetPolygon(std::move(polygon));
    }
    if (shapes[5] != nullptr) {
        TmxPolyline polyline;
        if (const char* points = shapes[5]->Attribute("points")) ReadPointsText(points, polyline);
        object.SetPolyline(std::move(polyline));
    }
    if (properties != nullptr) ReadProperties(properties, object.editProperties());
}

TmxTileset TmxXmlReader::ReadTileset(const TiXmlElement* element) {
    return ReadTilesetElement(element);
}

}  // namespace tmx
