#pragma once

// Decompression of compressed layer data, streamed to the caller through a
// small window: the content goes to a sink piece by piece, in order, up to
// `capacity` bytes (the grid's size). Each returns how many bytes it gave
// (at most `capacity`, and fewer when the content is shorter), or nothing
// when the data cannot be decompressed; the sink may have taken pieces even
// then.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace tmx {

// Where decompressed content goes.
class TmxByteSink {
  public:
    virtual void Take(const uint8_t* bytes, size_t count) = 0;

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
