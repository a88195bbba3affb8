#pragma once

// Independent writers of what the loader decodes: an RFC 4648 base64 encoder
// and zlib/gzip streams from zlib's own deflate.

#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

inline std::string Base64Encode(const std::vector<uint8_t>& bytes, bool pad = true) {
    static const char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const uint32_t group =
            uint32_t{bytes[i]} << 16 | uint32_t{bytes[i + 1]} << 8 | bytes[i + 2];
        for (int shift = 18; shift >= 0; shift -= 6)
            text += kAlphabet[(group >> shift) & 63];
    }
    const size_t rest = bytes.size() - i;
    if (rest > 0) {
        const uint32_t group =
            uint32_t{bytes[i]} << 16 | (rest == 2 ? uint32_t{bytes[i + 1]} << 8 : 0u);
        text += kAlphabet[(group >> 18) & 63];
        text += kAlphabet[(group >> 12) & 63];
        if (rest == 2) text += kAlphabet[(group >> 6) & 63];
        if (pad) text += rest == 2 ? "=" : "==";
    }
    return text;
}

enum class Wrapper { Zlib, Gzip };

inline std::vector<uint8_t> Deflate(const std::vector<uint8_t>& content, Wrapper wrapper) {
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, wrapper == Wrapper::Gzip ? 31 : 15, 9,
                 Z_DEFAULT_STRATEGY);
    std::vector<uint8_t> out(deflateBound(&stream, content.size()));
    stream.next_in = const_cast<Bytef*>(content.data());
    stream.avail_in = static_cast<uInt>(content.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}
