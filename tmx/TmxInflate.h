#pragma once

// Decompression of compressed layer data. Both return the inflated bytes, or
// nothing when the data cannot be inflated; the vector's size is the number
// of bytes the stream produced, which may be less than `expected`.

#include <cstdint>
#include <optional>
#include <vector>

namespace tmx {

// A zlib stream, read as zlib's uncompress reads it into exactly `expected`
// bytes: content beyond that is cut off (and still counts as success).
std::optional<std::vector<uint8_t>> InflateZlibData(const std::vector<uint8_t>& source,
                                                    uint32_t expected);

// A gzip or zlib stream (the header tells which). At most `expected` bytes
// are kept; the rest of the content is inflated only to check the stream,
// which must be sound and end exactly at the end of `source`.
std::optional<std::vector<uint8_t>> InflateGzipData(const std::vector<uint8_t>& source,
                                                    uint32_t expected);

// A zstd stream (one or more frames), read into exactly `expected` bytes like
// the zlib path: content beyond that is cut off.
std::optional<std::vector<uint8_t>> DecompressZstdData(const std::vector<uint8_t>& source,
                                                       uint32_t expected);

}  // namespace tmx
