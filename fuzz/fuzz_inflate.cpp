// The three decompression paths on any bytes. The first two bytes choose the
// grid size.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "tmx/decode/TmxInflate.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const uint32_t expected = uint32_t{data[0]} | uint32_t{data[1]} << 8;
    const std::vector<uint8_t> source(data + 2, data + size);
    std::vector<uint8_t> zlib(expected);
    std::vector<uint8_t> gzip(expected);
    std::vector<uint8_t> zstd(expected);
    const auto zlibBytes = tmx::InflateZlibData(source, zlib.data(), expected);
    const auto gzipBytes = tmx::InflateGzipData(source, gzip.data(), expected);
    const auto zstdBytes = tmx::DecompressZstdData(source, zstd.data(), expected);
    if (zlibBytes && *zlibBytes > expected) __builtin_trap();
    if (gzipBytes && *gzipBytes > expected) __builtin_trap();
    if (zstdBytes && *zstdBytes > expected) __builtin_trap();
    // A stream both zlib paths accept gives them the same bytes.
    if (zlibBytes && gzipBytes &&
        (*zlibBytes != *gzipBytes ||
         !std::equal(zlib.begin(), zlib.begin() + static_cast<std::ptrdiff_t>(*zlibBytes),
                     gzip.begin()))) {
        __builtin_trap();
    }
    return 0;
}
