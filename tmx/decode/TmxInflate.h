#pragma once

// Decompression of compressed layer data, into a buffer of the grid's size
// that the caller owns. Each returns how many bytes it wrote there (at most
// `capacity`, and fewer when the content is shorter), or nothing when the
// data cannot be decompressed.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace tmx {

// A zlib stream, read as zlib's uncompress reads it: content beyond
// `capacity` is cut off (and still counts as success).
std::optional<size_t> InflateZlibData(const std::vector<uint8_t>& source, uint8_t* out,
                                      uint32_t capacity);

// A gzip or zlib stream (the header tells which). Content beyond `capacity`
// is inflated only to check the stream, which must be sound and end exactly at
// the end of `source`.
std::optional<size_t> InflateGzipData(const std::vector<uint8_t>& source, uint8_t* out,
                                      uint32_t capacity);

// A zstd stream (one or more frames), read like the zlib path: content
// beyond `capacity` is cut off.
std::optional<size_t> DecompressZstdData(const std::vector<uint8_t>& source, uint8_t* out,
                                         uint32_t capacity);

}  // namespace tmx
