#include "tmx/model/TmxLayer.h"

#include <tinyxml.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <optional>

#include "tmx/decode/TmxBase64.h"
#include "tmx/decode/TmxCsv.h"
#include "tmx/decode/TmxInflate.h"
#include "tmx/model/TmxMap.h"
#include "tmx/read/TmxXml.h"

namespace tmx {
namespace {

constexpr uint32_t kFlipHorizontal = 0x80000000u;
constexpr uint32_t kFlipVertical = 0x40000000u;
constexpr uint32_t kFlipDiagonal = 0x20000000u;

// Outside any grid: no tileset, no tile.
constexpr TmxCell kNoCell{-1, 0, false, false, false};
// Inside the grid where the data did not reach.
constexpr TmxCell kUnreachedCell{};

// Layer data stores ids little-endian, which is how they sit in memory here
// on every usual machine; elsewhere they are turned around once.
void FromLittleEndian(std::vector<uint32_t>& gids) {
    if constexpr (std::endian::native == std::endian::big) {
        for (uint32_t& gid : gids) {
            gid = (gid >> 24) | ((gid >> 8) & 0xFF00u) | ((gid << 8) & 0xFF0000u) | (gid << 24);
        }
    }
}

uint8_t* BytesOf(std::vector<uint32_t>& gids) {
    return reinterpret_cast<uint8_t*>(gids.data());
}

// The text of `data`, as TinyXML condensed it; empty when it has none.
const std::string& DataText(const TiXmlElement* data) {
    static const std::string kNone;
    const TiXmlNode* first = data->FirstChild();
    const TiXmlText* text = first != nullptr ? first->ToText() : nullptr;
    return text != nullptr ? text->ValueStr() : kNone;
}

}  // namespace

void TmxLayerAttributes::ReadAttributes(const TiXmlElement* element) {
    location_ = LocationOf(element);
    ReadTextAttribute(element, "name", name_);
    ReadDoubleAttribute(element, "offsetx", offsetX_);
    ReadDoubleAttribute(element, "offsety", offsetY_);
    ReadIntAttribute(element, "width", width_);
    ReadIntAttribute(element, "height", height_);
    if (const char* text = element->Attribute("opacity")) opacity_ = static_cast<float>(Atof(text));
    if (const char* text = element->Attribute("visible")) visible_ = Atoi(text) != 0;
    properties_.ReadFirstBlockOf(element);
}

TmxLayer::TmxLayer(const TmxMap& map, std::shared_ptr<const TmxTilesetLookup> tilesets,
                   int64_t cellBudget)
    : TmxLayerAttributes(map), tilesets_(std::move(tilesets)), cellBudget_(cellBudget) {}

void TmxLayer::ReadElement(const TiXmlElement* element) {
    ReadAttributes(element);

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
                NoteProblem({TmxLayerDataProblem::Kind::UnknownCompression, compression});
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

// The grid's byte count must fit in 32 bits, as the compressed paths count in
// 32 bits, and within the map's budget; any other size gives no cells.
TmxChunk* TmxLayer::AddChunk(int32_t x, int32_t y, int32_t width, int32_t height) {
    const int64_t cellCount = int64_t{width} * height;
    if (width <= 0 || height <= 0) return nullptr;
    if (cellCount > int64_t{UINT32_MAX} / 4 || cellCount > cellBudget_) {
        NoteProblem({TmxLayerDataProblem::Kind::TooLarge, "", width, height});
        return nullptr;
    }
    cellBudget_ -= cellCount;
    return &chunks_.emplace_back(TmxChunk{x, y, width, height, {}});
}

// Reads the cells of one chunk from `source` (the `data` or `chunk` element,
// or none).
void TmxLayer::ReadChunk(const TiXmlElement* source, int32_t x, int32_t y, int32_t width,
                         int32_t height) {
    TmxChunk* chunk = AddChunk(x, y, width, height);
    if (chunk == nullptr || source == nullptr) return;
    switch (encoding_) {
        case TmxEncoding::Xml:
            ReadXmlTiles(source, *chunk);
            break;
        case TmxEncoding::Base64:
            ReadBase64Data(DataText(source), *chunk);
            break;
        case TmxEncoding::Csv:
            ReadCsvData(DataText(source), *chunk);
            break;
    }
}

void TmxLayer::NoteProblem(TmxLayerDataProblem problem) {
    if (!dataProblem_) dataProblem_ = std::move(problem);
}

int64_t TmxLayer::cellCount() const {
    int64_t count = 0;
    for (const TmxChunk& chunk : chunks_)
        count += chunk.CellCount();
    return count;
}

TmxCell TmxLayer::TileAt(int32_t x, int32_t y) const {
    TmxCell cell = kNoCell;
    VisitCells({x, y, int64_t{x} + 1, int64_t{y} + 1}, [&](int32_t, int32_t, const uint32_t* gid) {
        cell = gid != nullptr ? CellFromGid(*gid) : kUnreachedCell;
    });
    return cell;
}

namespace {

// How many of `gids` hold a tile; 32-bit counts of one row vectorize best.
int64_t TilesIn(const uint32_t* gids, size_t count) {
    uint32_t tiles = 0;
    for (size_t i = 0; i < count; ++i)
        tiles += (gids[i] & kTileIdMask) != 0;
    return tiles;
}

}  // namespace

int64_t TmxChunk::TilesOutside(int64_t x0, int64_t y0, int64_t x1, int64_t y1) const {
    // Row by row through what the data held: the parts left and right of the
    // area, and whole rows above or below it.
    int64_t outside = 0;
    const auto rowLength = static_cast<size_t>(width);
    for (size_t start = 0; start < gids.size(); start += rowLength) {
        const uint32_t* row = gids.data() + start;
        const size_t count = std::min(rowLength, gids.size() - start);
        const int64_t y = this->y + static_cast<int64_t>(start / rowLength);
        if (y < y0 || y >= y1 || x1 <= x0) {
            outside += TilesIn(row, count);
            continue;
        }
        const auto left = static_cast<size_t>(x0 - x);
        const auto right = static_cast<size_t>(x1 - x);
        outside += TilesIn(row, std::min(left, count));
        if (count > right) outside += TilesIn(row + right, count - right);
    }
    return outside;
}

TmxCell TmxLayer::CellFromGid(uint32_t gid) const {
    TmxCell cell;
    cell.flipHorizontal = (gid & kFlipHorizontal) != 0;
    cell.flipVertical = (gid & kFlipVertical) != 0;
    cell.flipDiagonal = (gid & kFlipDiagonal) != 0;
    const auto id = static_cast<int32_t>(gid & kTileIdMask);
    const TmxTilesetLookup::Owner owner = tilesets_->OwnerOf(id);
    cell.tilesetIndex = owner.index;
    // A negative firstGid may push the difference past 32 bits: it wraps.
    cell.localId = owner.index >= 0 ? static_cast<int32_t>(static_cast<uint32_t>(id) -
                                                           static_cast<uint32_t>(owner.firstGid))
                                    : id;
    return cell;
}

void TmxLayer::ReadXmlTiles(const TiXmlElement* data, TmxChunk& chunk) {
    const auto count = static_cast<size_t>(chunk.CellCount());
    for (const TiXmlElement* tile = data->FirstChildElement("tile");
         tile != nullptr && chunk.gids.size() < count; tile = tile->NextSiblingElement("tile")) {
        uint32_t gid = 0;
        if (const char* text = tile->Attribute("gid")) ScanUnsigned(text, gid);
        chunk.gids.push_back(gid);
    }
}

void TmxLayer::ReadCsvData(const std::string& text, TmxChunk& chunk) {
    // A token takes at least two characters but the last: at most
    // text.size() / 2 + 1 tokens, so storage is sized once.
    chunk.gids.resize(std::min(static_cast<size_t>(chunk.CellCount()), text.size() / 2 + 1));
    chunk.gids.resize(DecodeCsvGids(text, chunk.gids.data(), chunk.gids.size()));
}

void TmxLayer::ReadBase64Data(std::string_view text, TmxChunk& chunk) {
    // The ids are decoded (and inflated) straight into the layer's storage.
    const auto count = static_cast<size_t>(chunk.CellCount());
    if (compression_ == TmxCompression::None) {
        chunk.gids.resize(std::min(count, text.size() * 3 / 16 + 1));
        const size_t bytes = Base64DecodeInto(text, BytesOf(chunk.gids), chunk.gids.size() * 4);
        chunk.gids.resize(bytes / 4);  // a partial last entry is not a cell
        FromLittleEndian(chunk.gids);
        return;
    }
    const std::vector<uint8_t> packed = Base64Decode(text);
    chunk.gids.resize(count);
    const auto capacity = static_cast<uint32_t>(count * 4);
    std::optional<size_t> produced;
    switch (compression_) {
        case TmxCompression::Zlib:
            produced = InflateZlibData(packed, BytesOf(chunk.gids), capacity);
            if (!produced) NoteProblem({TmxLayerDataProblem::Kind::Undecodable, "zlib"});
            break;
        case TmxCompression::Gzip:
            produced = InflateGzipData(packed, BytesOf(chunk.gids), capacity);
            if (!produced) NoteProblem({TmxLayerDataProblem::Kind::Undecodable, "gzip"});
            break;
        case TmxCompression::Zstd:
            produced = DecompressZstdData(packed, BytesOf(chunk.gids), capacity);
            if (!produced) NoteProblem({TmxLayerDataProblem::Kind::Undecodable, "zstd"});
            break;
        case TmxCompression::None:
            break;
    }
    chunk.gids.resize(produced ? *produced / 4 : 0);
    FromLittleEndian(chunk.gids);
}

void TmxImageLayer::ReadElement(const TiXmlElement* element) {
    ReadAttributes(element);
    if (const TiXmlElement* image = element->FirstChildElement("image")) {
        image_.emplace().ReadElement(image);
    }
}

}  // namespace tmx
