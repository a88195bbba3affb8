#include "tmx/read/TmxLayerData.h"

#include <algorithm>
#include <bit>
#include <optional>
#include <vector>

#include "tmx/decode/TmxBase64.h"
#include "tmx/decode/TmxCsv.h"
#include "tmx/decode/TmxInflate.h"

namespace tmx {
namespace {

// Layer data stores ids little-endian, which is how they sit in memory here
// on every usual machine; elsewhere they are turned around once.
void FromLittleEndian(TmxGids& gids) {
    if constexpr (std::endian::native == std::endian::big) {
        for (uint32_t& gid : gids) {
            gid = (gid >> 24) | ((gid >> 8) & 0xFF00u) | ((gid << 8) & 0xFF0000u) | (gid << 24);
        }
    }
}

uint8_t* BytesOf(TmxGids& gids) {
    return reinterpret_cast<uint8_t*>(gids.data());
}

}  // namespace

void ReadCsvCells(const std::string& text, TmxChunk& chunk) {
    // A token takes at least two characters but the last: at most
    // text.size() / 2 + 1 tokens, so storage is sized once.
    chunk.gids.resize(std::min(static_cast<size_t>(chunk.CellCount()), text.size() / 2 + 1));
    chunk.gids.resize(DecodeCsvGids(text, chunk.gids.data(), chunk.gids.size()));
}

void ReadBase64Cells(std::string_view text, TmxLayer& layer, TmxChunk& chunk) {
    const auto count = static_cast<size_t>(chunk.CellCount());
    if (layer.compression() == TmxCompression::None) {
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
    const char* name = "";
    switch (layer.compression()) {
        case TmxCompression::Zlib:
            produced = InflateZlibData(packed, BytesOf(chunk.gids), capacity);
            name = "zlib";
            break;
        case TmxCompression::Gzip:
            produced = InflateGzipData(packed, BytesOf(chunk.gids), capacity);
            name = "gzip";
            break;
        case TmxCompression::Zstd:
            produced = DecompressZstdData(packed, BytesOf(chunk.gids), capacity);
            name = "zstd";
            break;
        case TmxCompression::None:
            break;
    }
    if (!produced) layer.NoteProblem({TmxLayerDataProblem::Kind::Undecodable, name});
    chunk.gids.resize(produced ? *produced / 4 : 0);
    FromLittleEndian(chunk.gids);
}

}  // namespace tmx
