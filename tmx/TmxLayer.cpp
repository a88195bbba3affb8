#include "TmxLayer.h"

#include <tinyxml.h>

#include <algorithm>
#include <cstring>
#include <optional>

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

    const TiXmlElement* data = element->FirstChildElement("data");
    if (data != nullptr) {
        if (const char* encoding = data->Attribute("encoding")) {
            if (std::strcmp(encoding, "base64") == 0) encoding_ = TmxEncoding::Base64;
            if (std::strcmp(encoding, "csv") == 0) encoding_ = TmxEncoding::Csv;
        }
        if (const char* compression = data->Attribute("compression")) {
            if (std::strcmp(compression, "zlib") == 0) compression_ = TmxCompression::Zlib;
            if (std::strcmp(compression, "gzip") == 0) compression_ = TmxCompression::Gzip;
            if (std::strcmp(compression, "zstd") == 0) compression_ = TmxCompression::Zstd;
            if (compression_ == TmxCompression::None && encoding_ == TmxEncoding::Base64) {
                NoteProblem(std::string("its compression \"") + compression +
                            "\" is unknown; the data was read as uncompressed");
            }
        }
    }

    // An infinite map's layer lists its cells in chunks; any other layer is
    // one chunk of its own size at the origin.
    const TiXmlElement* chunk = data != nullptr ? data->FirstChildElement("chunk") : nullptr;
    if (chunk == nullptr) {
        ReadChunk(data, 0, 0, width_, height_);
        return;
    }
    for (; chunk != nullptr; chunk = chunk->NextSiblingElement("chunk")) {
        int32_t x = 0;
        int32_t y = 0;
        int32_t width = 0;
        int32_t height = 0;
        ReadIntAttribute(chunk, "x", x);
        ReadIntAttribute(chunk, "y", y);
        ReadIntAttribute(chunk, "width", width);
        ReadIntAttribute(chunk, "height", height);
        ReadChunk(chunk, x, y, width, height);
    }
}

// Reads the cells of one chunk from `source` (the `data` or `chunk` element,
// or none). The grid's byte count must fit in 32 bits, as the compressed paths
// count in 32 bits, and within the map's budget; any other size gives no cells.
void TmxLayer::ReadChunk(const TiXmlElement* source, int32_t x, int32_t y, int32_t width,
                         int32_t height) {
    const int64_t cellCount = int64_t{width} * height;
    if (width <= 0 || height <= 0) return;
    if (cellCount > int64_t{UINT32_MAX} / 4 || cellCount > cellBudget_) {
        NoteProblem("it declares " + std::to_string(width) + " x " + std::to_string(height) +
                    " cells, more than a map may hold");
        return;
    }
    cellBudget_ -= cellCount;
    TmxChunk& chunk = chunks_.emplace_back(TmxChunk{x, y, width, height, {}});
    if (source == nullptr) return;
    switch (encoding_) {
        case TmxEncoding::Xml:
            ReadXmlTiles(source, chunk);
            break;
        case TmxEncoding::Base64:
            ReadBase64Data(DataText(source), chunk);
            break;
        case TmxEncoding::Csv:
            ReadCsvData(DataText(source), chunk);
            break;
    }
}

void TmxLayer::NoteProblem(std::string problem) {
    if (dataProblem_.empty()) dataProblem_ = std::move(problem);
}

int64_t TmxLayer::cellCount() const {
    int64_t count = 0;
    for (const TmxChunk& chunk : chunks_)
        count += chunk.CellCount();
    return count;
}

const TmxCell& TmxLayer::TileAt(int32_t x, int32_t y) const {
    for (auto chunk = chunks_.rbegin(); chunk != chunks_.rend(); ++chunk) {
        const int64_t column = int64_t{x} - chunk->x;
        const int64_t row = int64_t{y} - chunk->y;
        if (column < 0 || row < 0 || column >= chunk->width || row >= chunk->height) continue;
        const auto k = static_cast<size_t>(row * chunk->width + column);
        return k < chunk->cells.size() ? chunk->cells[k] : kUnreachedCell;
    }
    return kNoCell;
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

void TmxLayer::ReadXmlTiles(const TiXmlElement* data, TmxChunk& chunk) const {
    const auto count = static_cast<size_t>(chunk.CellCount());
    for (const TiXmlElement* tile = data->FirstChildElement("tile");
         tile != nullptr && chunk.cells.size() < count; tile = tile->NextSiblingElement("tile")) {
        uint32_t gid = 0;
        if (const char* text = tile->Attribute("gid")) ScanUnsigned(text, gid);
        chunk.cells.push_back(CellFromGid(gid));
    }
}

void TmxLayer::ReadCsvData(std::string_view text, TmxChunk& chunk) const {
    // Tokens are the runs between commas (several commas separate like one).
    // A token without a number repeats the gid before it; the first gives 0.
    const auto count = static_cast<size_t>(chunk.CellCount());
    uint32_t gid = 0;
    const char* p = text.data();
    const char* const end = p + text.size();
    chunk.cells.reserve(std::min(count, text.size() / 2 + 1));
    while (chunk.cells.size() < count) {
        while (p != end && *p == ',')
            ++p;
        if (p == end) break;
        const char* tokenEnd = static_cast<const char*>(std::memchr(p, ',', end - p));
        if (tokenEnd == nullptr) tokenEnd = end;
        ScanUnsignedAt(p, tokenEnd, gid);
        chunk.cells.push_back(CellFromGid(gid));
        p = tokenEnd;
    }
}

void TmxLayer::ReadBase64Data(std::string_view text, TmxChunk& chunk) {
    const std::vector<uint8_t> bytes = Base64Decode(text);
    const auto expected = static_cast<uint32_t>(chunk.CellCount() * 4);
    std::optional<std::vector<uint8_t>> inflated;
    switch (compression_) {
        case TmxCompression::None:
            ReadLittleEndianIds(bytes, chunk);
            return;
        case TmxCompression::Zlib:
            inflated = InflateZlibData(bytes, expected);
            if (!inflated) NoteProblem("its zlib data could not be inflated");
            break;
        case TmxCompression::Gzip:
            inflated = InflateGzipData(bytes, expected);
            if (!inflated) NoteProblem("its gzip data could not be inflated");
            break;
        case TmxCompression::Zstd:
            inflated = DecompressZstdData(bytes, expected);
            if (!inflated) NoteProblem("its zstd data could not be decoded");
            break;
    }
    if (inflated) ReadLittleEndianIds(*inflated, chunk);
}

void TmxLayer::ReadLittleEndianIds(const std::vector<uint8_t>& bytes, TmxChunk& chunk) const {
    // Cells that no whole 4-byte entry covers keep their initial value.
    const size_t count = std::min(static_cast<size_t>(chunk.CellCount()), bytes.size() / 4);
    chunk.cells.reserve(count);
    const uint8_t* entry = bytes.data();
    for (size_t k = 0; k < count; ++k, entry += 4) {
        const uint32_t gid = uint32_t{entry[0]} | uint32_t{entry[1]} << 8 |
                             uint32_t{entry[2]} << 16 | uint32_t{entry[3]} << 24;
        chunk.cells.push_back(CellFromGid(gid));
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
