#include "tmx/decode/TmxInflate.h"

#include <zlib.h>
#include <zstd.h>

#include <algorithm>
#include <array>
#include <limits>
#include <memory>

namespace tmx {
namespace {

// Where what goes past the grid is inflated and dropped.
constexpr size_t kDropped = 16 * 1024;

}  // namespace

std::optional<size_t> InflateZlibData(const std::vector<uint8_t>& source, uint32_t capacity,
                                      TmxByteSink& sink) {
    // zlib's uncompress, but through the sink's window.
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK) return std::nullopt;
    stream.next_in = const_cast<Bytef*>(source.data());
    size_t unread = source.size();
    size_t left = capacity;
    int result = Z_OK;
    do {
        if (stream.avail_in == 0) {
            stream.avail_in =
                static_cast<uInt>(std::min<size_t>(unread, std::numeric_limits<uInt>::max()));
            unread -= stream.avail_in;
        }
        const std::span<uint8_t> window = sink.Window();
        const auto room = static_cast<uInt>(std::min(left, window.size()));
        stream.next_out = window.data();
        stream.avail_out = room;
        result = inflate(&stream, Z_NO_FLUSH);
        const size_t produced = room - stream.avail_out;
        if (produced > 0) sink.Take(produced);
        left -= produced;
    } while (result == Z_OK);
    inflateEnd(&stream);
    if (result == Z_STREAM_END) return capacity - left;
    // No progress with the grid full: the content was longer than the grid.
    if (result == Z_BUF_ERROR && left == 0) return capacity;
    return std::nullopt;
}

std::optional<size_t> InflateGzipData(const std::vector<uint8_t>& source, uint32_t capacity,
                                      TmxByteSink& sink) {
    if (source.size() > std::numeric_limits<uInt>::max()) return std::nullopt;
    // Content past the grid is never used, but the stream must still prove
    // whole; it is inflated through a small window and dropped, so that a
    // few kilobytes that inflate to gigabytes cost time, not memory.
    std::array<uint8_t, kDropped> dropped;
    z_stream stream{};
    stream.next_in = const_cast<Bytef*>(source.data());
    stream.avail_in = static_cast<uInt>(source.size());
    // 15 + 32: a 32 KiB window, and zlib tells gzip from zlib by the header.
    if (inflateInit2(&stream, 15 + 32) != Z_OK) return std::nullopt;

    size_t left = capacity;
    bool complete = false;
    for (;;) {
        const std::span<uint8_t> window = left > 0 ? sink.Window() : std::span<uint8_t>(dropped);
        const auto room = static_cast<uInt>(std::min(left > 0 ? left : kDropped, window.size()));
        stream.next_out = window.data();
        stream.avail_out = room;
        const int result = inflate(&stream, Z_SYNC_FLUSH);
        const size_t produced = room - stream.avail_out;
        if (left > 0 && produced > 0) sink.Take(produced);
        left -= std::min(left, produced);
        // A grid of no bytes expects no content at all.
        if (capacity == 0 && produced > 0) break;
        if (result == Z_STREAM_END) {
            // Bytes after the end of the stream (a second member, junk) are refused.
            complete = stream.avail_in == 0;
            break;
        }
        if (result != Z_OK && result != Z_BUF_ERROR) break;
        // Room left but no progress: the data ended before the stream did.
        if (stream.avail_out != 0) break;
    }
    inflateEnd(&stream);
    if (!complete) return std::nullopt;
    return capacity - left;
}

std::optional<size_t> DecompressZstdData(const std::vector<uint8_t>& source, uint32_t capacity,
                                         TmxByteSink& sink) {
    std::unique_ptr<ZSTD_DCtx, size_t (*)(ZSTD_DCtx*)> context(ZSTD_createDCtx(), ZSTD_freeDCtx);
    if (!context) return std::nullopt;
    ZSTD_inBuffer in{source.data(), source.size(), 0};
    size_t left = capacity;
    size_t pending = 1;  // non-zero while a frame is open
    while (left > 0) {
        const std::span<uint8_t> window = sink.Window();
        ZSTD_outBuffer output{window.data(), std::min(left, window.size()), 0};
        const size_t read = in.pos;
        pending = ZSTD_decompressStream(context.get(), &output, &in);
        if (ZSTD_isError(pending)) return std::nullopt;
        if (output.pos > 0) sink.Take(output.pos);
        left -= output.pos;
        if (in.pos == in.size && pending == 0) break;  // all read, the last frame closed
        if (output.pos == 0 && in.pos == read) break;  // nothing more will come
    }
    // A full grid is success, whatever follows; short of it, the last frame
    // must have ended.
    if (left > 0 && pending != 0) return std::nullopt;
    return capacity - left;
}

}  // namespace tmx
