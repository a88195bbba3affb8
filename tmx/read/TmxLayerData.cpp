#include "tmx/read/TmxLayerData.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <optional>
#include <span>
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

// Decompressed content into a chunk's ids as it streams in, four bytes an id.
// The window is a block of ids; an id cut between two pieces waits at the
// block's start for the rest, and a partial last one is dropped (it is not a
// cell).
class IdSink final : public TmxByteSink {
  public:
    // A block of up to 256 KiB: zlib keeps the last 32 KiB of each piece
    // for what follows, so a bigger piece copies less of it.
    IdSink(TmxGids& gids, size_t count)
        : gids_(gids), block_(std::clamp<size_t>(count, 1, size_t{1} << 16)) {}

    std::span<uint8_t> Window() override {
        return std::span(reinterpret_cast<uint8_t*>(block_.data()) + held_,
                         block_.size() * 4 - held_);
    }

    void Take(size_t count) override {
        const size_t bytes = held_ + count;
        const size_t ids = bytes / 4;
        FromLittleEndian(block_.data(), ids);
        gids_.Append(block_.data(), ids);
        held_ = bytes % 4;
        std::memmove(block_.data(), block_.data() + ids, held_);
    }

  private:
    TmxGids& gids_;
    std::vector<uint32_t, UnsetOnResize<uint32_t>> block_;
    size_t held_ = 0;  // bytes of a cut id at the block's start
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
    IdSink sink(chunk.gids, count);
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
