#include "TmxLayer.h"

#include <tinyxml.h>

#include <algorithm>
#include <cstring>

#include "TmxBase64.h"
#include "TmxInflate.h"
#include "TmxMap.h"
#include "TmxXml.h"

namespace tmx {
namespace {

constexpr uint32_t kFlipHorizontal = 0x80000000u;
constexpr uint32_t kFlipVertical = 0x40000000u;
constexpr uint32_t kFlipDiagonal = 0x20000000u;
constexpr uint32_t kIdMask = 0x1FFFFFFFu;

// Outside any grid: no tileset, no tile.
constexpr TmxCell kNoCell{-1, 0, false, false, false};
// Inside the grid where the data did not reach.
constexpr TmxCell kUnreachedCell{};

// The attributes that tile layers and image layers share.
void ReadLayerAttributes(const TiXmlElement* element, std::string& name, int32_t& width,
                         int32_t& height, float& opacity, bool& visible) {
    ReadTextAttribute(element, "name", name);
    ReadIntAttribute(element, "width", width);
    ReadIntAttribute(element, "height", height);
    if (const char* text = element->Attribute("opacity")) opacity = static_cast<float>(Atof(text));
    if (const char* text = element->Attribute("visible")) visible = Atoi(text) != 0;
}

// The text of `data`, as TinyXML condensed it; empty when it has none.
std::string_view DataText(const TiXmlElement* data) {
    const TiXmlNode* first = data->FirstChild();
    const TiXmlText* text = first != nullptr ? first->ToText() : nullptr;
    return text != nullptr ? std::string_view(text->ValueStr()) : std::string_view();
}

}  // namespace

void TmxLayer::ReadElement(const TiXmlElement* element) {
    ReadLayerAttributes(element, name_, width_, height_, opacity_, visible_);
    if (const TiXmlElement* properties = element->FirstChildElement("properties")) {
        properties_.ReadElement(properties);
    }

    // The grid's byte count must fit in 32 bits, as the compressed paths count
    // in 32 bits, and within the map's budget; any other size gives a layer
    // without cells.
    const int64_t cellCount = int64_t{width_} * height_;
    if (width_ > 0 && height_ > 0 && cellCount <= int64_t{UINT32_MAX} / 4 &&
        cellCount <= cellBudget_) {
        cellCount_ = cellCount;
    }

    const TiXmlElement* data = element->FirstChildElement("data");
    if (data == nullptr) return;
    if (const char* encoding = data->Attribute("encoding")) {
        if (std::strcmp(encoding, "base64") == 0) encoding_ = TmxEncoding::Base64;
        if (std::strcmp(encoding, "csv") == 0) encoding_ = TmxEncoding::Csv;
    }
    if (const char* compression = data->Attribute("compression")) {
        if (std::strcmp(compression, "zlib") == 0) compression_ = TmxCompression::Zlib;
        if (std::strcmp(compression, "gzip") == 0) compression_ = TmxCompression::Gzip;
    }
    if (cellCount_ == 0) return;
    switch (encoding_) {
        case TmxEncoding::Xml:
            ReadXmlTiles(data);
            break;
        case TmxEncoding::Base64:
            ReadBase64Data(DataText(data));
            break;
        case TmxEncoding::Csv:
            ReadCsvData(DataText(data));
            break;
    }
}

const TmxCell& TmxLayer::TileAt(int32_t x, int32_t y) const {
    if (cellCount_ == 0 || x < 0 || y < 0 || x >= width_ || y >= height_) return kNoCell;
    const size_t k = static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x);
    return k < cells_.size() ? cells_[k] : kUnreachedCell;
}

TmxCell TmxLayer::CellFromGid(uint32_t gid) const {
    TmxCell cell;
    cell.flipHorizontal = (gid & kFlipHorizontal) != 0;
    cell.flipVertical = (gid & kFlipVertical) != 0;
    cell.flipDiagonal = (gid & kFlipDiagonal) != 0;
    const auto id = static_cast<int32_t>(gid & kIdMask);
    cell.tilesetIndex = map_->TilesetIndexFor(id);
    cell.localId = cell.tilesetIndex >= 0
                       ? id - map_->tilesets()[static_cast<size_t>(cell.tilesetIndex)].firstGid()
                       : id;
    return cell;
}

void TmxLayer::ReadXmlTiles(const TiXmlElement* data) {
    for (const TiXmlElement* tile = data->FirstChildElement("tile");
         tile != nullptr && CellsLeft() > 0; tile = tile->NextSiblingElement("tile")) {
        uint32_t gid = 0;
        if (const char* text = tile->Attribute("gid")) ScanUnsigned(text, gid);
        cells_.push_back(CellFromGid(gid));
    }
}

void TmxLayer::ReadCsvData(std::string_view text) {
    // Tokens are the runs between commas (several commas separate like one).
    // A token without a number repeats the gid before it; the first gives 0.
    uint32_t gid = 0;
    const char* p = text.data();
    const char* const end = p + text.size();
    cells_.reserve(std::min(CellsLeft(), text.size() / 2 + 1));
    while (CellsLeft() > 0) {
        while (p != end && *p == ',')
            ++p;
        if (p == end) break;
        const char* tokenEnd = static_cast<const char*>(std::memchr(p, ',', end - p));
        if (tokenEnd == nullptr) tokenEnd = end;
        ScanUnsignedAt(p, tokenEnd, gid);
        cells_.push_back(CellFromGid(gid));
        p = tokenEnd;
    }
}

void TmxLayer::ReadBase64Data(std::string_view text) {
    const std::vector<uint8_t> bytes = Base64Decode(text);
    const auto expected = static_cast<uint32_t>(cellCount_ * 4);
    switch (compression_) {
        case TmxCompression::None:
            ReadLittleEndianIds(bytes);
            break;
        case TmxCompression::Zlib:
            if (const auto inflated = InflateZlibData(bytes, expected)) {
                ReadLittleEndianIds(*inflated);
            }
            break;
        case TmxCompression::Gzip:
            if (const auto inflated = InflateGzipData(bytes, expected)) {
                ReadLittleEndianIds(*inflated);
            }
            break;
    }
}

void TmxLayer::ReadLittleEndianIds(const std::vector<uint8_t>& bytes) {
    // Cells that no whole 4-byte entry covers keep their initial value.
    const size_t count = std::min(CellsLeft(), bytes.size() / 4);
    cells_.reserve(count);
    const uint8_t* entry = bytes.data();
    for (size_t k = 0; k < count; ++k, entry += 4) {
        const uint32_t gid = uint32_t{entry[0]} | uint32_t{entry[1]} << 8 |
                             uint32_t{entry[2]} << 16 | uint32_t{entry[3]} << 24;
        cells_.push_back(CellFromGid(gid));
    }
}

void TmxImageLayer::ReadElement(const TiXmlElement* element) {
    ReadLayerAttributes(element, name_, width_, height_, opacity_, visible_);
    if (const TiXmlElement* image = element->FirstChildElement("image")) {
        image_.emplace().ReadElement(image);
    }
    if (const TiXmlElement* properties = element->FirstChildElement("properties")) {
        properties_.ReadElement(properties);
    }
}

}  // namespace tmx
