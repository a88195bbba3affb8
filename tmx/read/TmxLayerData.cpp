#include "tmx/read/TmxLayerData.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <optional>
#include <vector>

#include "tmx/decode/TmxBase64.h"
#include "tmx/decode/TmxCsv.h"
#include "tmx/decode/TmxInflate.h"

namespace tmx {
namespace {

// Layer data stores ids little-endian, which is how they sit in memory here
// on every usual machine; elsewhere they are turned around once.
void FromLittleEndian(uint32_t* gids, size_t count) {
    if constexpr (std::endian::native == std::endian::big) {
        for (size_t i = 0; i < count; ++i) {
            const uint32_t gid = gids[i];
            gids[i] = (gid >> 24) | ((gid >> 8) & 0xFF00u) | ((gid << 8) & 0xFF0000u) | (gid << 24);
        }
    }
}

// Decompressed content into a chunk's ids as it streams in: four bytes an id,
// an id cut between two pieces finished by the next, a partial last one
// dropped (it is not a cell).
class IdSink final : public TmxByteSink {
  public:
    explicit IdSink(TmxGids& gids) : gids_(gids) {}

    void Take(const uint8_t* bytes, size_t count) override {
        while (count > 0) {
            if (held_ > 0 || count < 4) {
                partial_[held_++] = *bytes++;
                --count;
                if (held_ == partial_.size()) {
                    uint32_t gid = 0;
                    std::memcpy(&gid, partial_.data(), partial_.size());
                    FromLittleEndian(&gid, 1);
                    gids_.Append(&gid, 1);
                    held_ = 0;
                }
                continue;
            }
            const size_t ids = std::min(count / 4, block_.size());
            std::memcpy(block_.data(), bytes, ids * 4);
            FromLittleEndian(block_.data(), ids);
            gids_.Append(block_.data(), ids);
            bytes += ids * 4;
            count -= ids * 4;
        }
    }

  private:
    TmxGids& gids_;
    std::array<uint8_t, 4> partial_{};
    size_t held_ = 0;
    std::array<uint32_t, 2048> block_;
};

}  // namespace

void ReadCsvCells(const std::string& text, TmxChunk& chunk) {
    // A token takes at least two characters but the last: at most
    // text.size() / 2 + 1 tokens, so storage is sized once.
    const size_t room = std::min(static_cast<size_t>(chunk.CellCount()), text.size() / 2 + 1);
    chunk.gids.Wide(DecodeCsvGids(text, chunk.gids.Wide(room), room));
}

void ReadBase64Cells(std::string_view text, TmxLayer& layer, TmxChunk& chunk) {
    const auto count = static_cast<size_t>(chunk.CellCount());
    if (layer.compression() == TmxCompression::None) {
        const size_t room = std::min(count, text.size() * 3 / 16 + 1);
        uint32_t* gids = chunk.gids.Wide(room);
        const size_t bytes = Base64DecodeInto(text, reinterpret_cast<uint8_t*>(gids), room * 4);
        FromLittleEndian(gids, bytes / 4);
        chunk.gids.Wide(bytes / 4);  // a partial last entry is not a cell
        return;
    }
    const std::vector<uint8_t> packed = Base64Decode(text);
    // Streamed in, the ids of a big map take 16 bits each where they fit
    // rather than a grid of 32 first.
    chunk.gids.ReserveNarrow(count);
    IdSink sink(chunk.gids);
    const auto capacity = static_cast<uint32_t>(count * 4);
    std::optional<size_t> produced;
    const char* name = "";
    switch (layer.compression()) {
        case TmxCompression::Zlib:
            produced = InflateZlibData(packed, capacity, sink);
            name = "zlib";
            break;
        case TmxCompression::Gzip:
            produced = InflateGzipData(packed, capacity, sink);
            name = "gzip";
            break;
        case TmxCompression::Zstd:
            produced = DecompressZstdData(packed, capacity, sink);
            name = "zstd";
            break;
        case TmxCompression::None:
            break;
    }
    if (!produced) {
        layer.NoteProblem({TmxLayerDataProblem::Kind::Undecodable, name});
        chunk.gids = {};
    }
}

}  // namespace tmx
