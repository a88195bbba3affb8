// The three decompression paths on any bytes. The first two bytes choose the
// grid size.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "tmx/decode/TmxInflate.h"

namespace {

struct Collect final : tmx::TmxByteSink {
    std::vector<uint8_t> bytes;
    std::array<uint8_t, 4093> window;
    std::span<uint8_t> Window() override { return window; }
    void Take(size_t count) override {
        if (count == 0 || count > window.size()) __builtin_trap();
        bytes.insert(bytes.end(), window.begin(), window.begin() + count);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const uint32_t expected = uint32_t{data[0]} | uint32_t{data[1]} << 8;
    const std::vector<uint8_t> source(data + 2, data + size);
    Collect zlibSink;
    Collect gzipSink;
    Collect zstdSink;
    const auto zlibBytes = tmx::InflateZlibData(source, expected, zlibSink);
    const auto gzipBytes = tmx::InflateGzipData(source, expected, gzipSink);
    const auto zstdBytes = tmx::DecompressZstdData(source, expected, zstdSink);
    // What each path gives is what it says it gave, and never more than the grid.
    if (zlibBytes && (*zlibBytes > expected || *zlibBytes != zlibSink.bytes.size()))
        __builtin_trap();
    if (gzipBytes && (*gzipBytes > expected || *gzipBytes != gzipSink.bytes.size()))
        __builtin_trap();
    if (zstdBytes && (*zstdBytes > expected || *zstdBytes != zstdSink.bytes.size()))
        __builtin_trap();
    const std::vector<uint8_t>& zlib = zlibSink.bytes;
    const std::vector<uint8_t>& gzip = gzipSink.bytes;
    // A stream both zlib paths accept gives them the same bytes.
    if (zlibBytes && gzipBytes &&
        (*zlibBytes != *gzipBytes ||
         !std::equal(zlib.begin(), zlib.begin() + static_cast<std::ptrdiff_t>(*zlibBytes),
                     gzip.begin()))) {
        __builtin_trap();
    }
    return 0;
}
