// The three decompression paths on any bytes. The first two bytes choose the grid size.

#include <cstddef>
#include <cstdint>

#include "TmxInflate.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const uint32_t expected = uint32_t{data[0]} | uint32_t{data[1]} << 8;
    const std::vector<uint8_t> source(data + 2, data + size);
    const auto zlib = tmx::InflateZlibData(source, expected);
    const auto gzip = tmx::InflateGzipData(source, expected);
    const auto zstd = tmx::DecompressZstdData(source, expected);
    if (zstd && zstd->size() > expected) __builtin_trap();
    if (zlib && zlib->size() > expected) __builtin_trap();
    if (gzip && gzip->size() > expected) __builtin_trap();
    // A sound zlib stream is sound for both paths, and their bytes agree.
    if (zlib && gzip && *zlib != *gzip) __builtin_trap();
    return 0;
}
