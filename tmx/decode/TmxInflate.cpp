#include "tmx/decode/TmxInflate.h"

#include <zlib.h>
#include <zstd.h>

#include <limits>
#include <memory>

namespace tmx {

std::optional<size_t> InflateZlibData(const std::vector<uint8_t>& source, uint8_t* out,
                                      uint32_t capacity) {
    uLongf produced = capacity;
    const int result = uncompress(out, &produced, source.data(), source.size());
    // Z_BUF_ERROR means the content was longer than the grid: the grid is full.
    if (result == Z_OK) return produced;
    if (result == Z_BUF_ERROR) return capacity;
    return std::nullopt;
}

std::optional<size_t> InflateGzipData(const std::vector<uint8_t>& source, uint8_t* out,
                                      uint32_t capacity) {
    if (source.size() > std::numeric_limits<uInt>::max()) return std::nullopt;
    // Content past the grid is never used, but the stream must still prove
    // whole; it is inflated through a small window and dropped, so that a
    // few kilobytes that inflate to gigabytes cost time, not memory.
    std::vector<uint8_t> overflow;

    z_stream stream{};
    stream.next_in = const_cast<Bytef*>(source.data());
    stream.avail_in = static_cast<uInt>(source.size());
    stream.next_out = out;
    stream.avail_out = capacity;
    // 15 + 32: a 32 KiB window, and zlib tells gzip from zlib by the header.
    if (inflateInit2(&stream, 15 + 32) != Z_OK) return std::nullopt;

    bool complete = false;
    for (;;) {
        const int result = inflate(&stream, Z_SYNC_FLUSH);
        if (result == Z_STREAM_END) {
            // Bytes after the end of the stream (a second member, junk) are refused.
            complete = stream.avail_in == 0;
            break;
        }
        if (result != Z_OK && result != Z_BUF_ERROR) break;
        // Room left but no progress: the data ended before the stream did.
        if (stream.avail_out != 0) break;
        // A grid of no bytes expects no content at all.
        if (capacity == 0) break;
        overflow.resize(64 * 1024);
        stream.next_out = overflow.data();
        stream.avail_out = static_cast<uInt>(overflow.size());
    }
    const uLong produced = stream.total_out;
    inflateEnd(&stream);
    if (!complete) return std::nullopt;
    return produced < capacity ? produced : capacity;
}

std::optional<size_t> DecompressZstdData(const std::vector<uint8_t>& source, uint8_t* out,
                                         uint32_t capacity) {
    std::unique_ptr<ZSTD_DCtx, size_t (*)(ZSTD_DCtx*)> context(ZSTD_createDCtx(), ZSTD_freeDCtx);
    if (!context) return std::nullopt;
    ZSTD_inBuffer in{source.data(), source.size(), 0};
    ZSTD_outBuffer output{out, capacity, 0};
    size_t pending = 1;  // non-zero while a frame is open
    while (in.pos < in.size && output.pos < output.size) {
        pending = ZSTD_decompressStream(context.get(), &output, &in);
        if (ZSTD_isError(pending)) return std::nullopt;
        if (pending != 0 && in.pos == in.size) break;
    }
    // A full grid is success, whatever follows; short of it, the last frame
    // must have ended.
    if (output.pos < output.size && pending != 0) return std::nullopt;
    return output.pos;
}

}  // namespace tmx
