#pragma once

// Decompression of compressed layer data, streamed: the content is written
// into a window the sink lends, piece by piece in order, up to `capacity`
// bytes (the grid's size). Each returns how many bytes it gave (at most
// `capacity`, and fewer when the content is shorter), or nothing when the
// data cannot be decompressed; the sink may have taken pieces even then.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tmx {

// Where decompressed content goes: each piece is written at Window() (never
// more than its size, which is never 0), then handed over by Take.
class TmxByteSink {
  public:
    virtual std::span<uint8_t> Window() = 0;
    virtual void Take(size_t count) = 0;

  protected:
    ~TmxByteSink() = default;
};

// A zlib stream, read as zlib's uncompress reads it: content beyond
// `capacity` is cut off (and still counts as success).
std::optional<size_t> InflateZlibData(const std::vector<uint8_t>& source, uint32_t capacity,
                                      TmxByteSink& sink);

// A gzip or zlib stream (the header tells which). Content beyond `capacity`
// is inflated only to check the stream, which must be sound and end exactly at
// the end of `source`.
std::optional<size_t> InflateGzipData(const std::vector<uint8_t>& source, uint32_t capacity,
                                      TmxByteSink& sink);

// A zstd stream (one or more frames), read like the zlib path: content
// beyond `capacity` is cut off.
std::optional<size_t> DecompressZstdData(const std::vector<uint8_t>& source, uint32_t capacity,
                                         TmxByteSink& sink);

}  // namespace tmx
