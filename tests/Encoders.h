#pragma once

// Writers of layer data in each encoding Tiled uses, for building test maps:
// an RFC 4648 base64 encoder and zlib/gzip streams from zlib's own deflate.

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

inline std::vector<uint8_t> LittleEndian(const std::vector<uint32_t>& gids) {
    std::vector<uint8_t> bytes;
    for (const uint32_t gid : gids) {
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<uint8_t>(gid >> shift));
    }
    return bytes;
}

enum class LayerEncoding { XmlTiles, Csv, Base64, Base64Zlib, Base64Gzip };
constexpr LayerEncoding kAllEncodings[] = {LayerEncoding::XmlTiles, LayerEncoding::Csv,
                                           LayerEncoding::Base64, LayerEncoding::Base64Zlib,
                                           LayerEncoding::Base64Gzip};

// A `data` element holding `gids` the way Tiled writes it: CSV with a line per
// row, base64 on a line of its own.
inline std::string DataElement(const std::vector<uint32_t>& gids, int width,
                               LayerEncoding encoding) {
    switch (encoding) {
        case LayerEncoding::XmlTiles: {
            std::string text = "<data>\n";
            for (const uint32_t gid : gids)
                text += "   <tile gid=\"" + std::to_string(gid) + "\"/>\n";
            return text + "  </data>";
        }
        case LayerEncoding::Csv: {
            std::string text = "<data encoding=\"csv\">\n";
            for (size_t k = 0; k < gids.size(); ++k) {
                text += std::to_string(gids[k]);
                if (k + 1 < gids.size()) text += ',';
                if ((k + 1) % static_cast<size_t>(width) == 0) text += '\n';
            }
            return text + "</data>";
        }
        case LayerEncoding::Base64:
            return "<data encoding=\"base64\">\n   " + Base64Encode(LittleEndian(gids)) +
                   "\n  </data>";
        case LayerEncoding::Base64Zlib:
            return "<data encoding=\"base64\" compression=\"zlib\">\n   " +
                   Base64Encode(Deflate(LittleEndian(gids), Wrapper::Zlib)) + "\n  </data>";
        case LayerEncoding::Base64Gzip:
            return "<data encoding=\"base64\" compression=\"gzip\">\n   " +
                   Base64Encode(Deflate(LittleEndian(gids), Wrapper::Gzip)) + "\n  </data>";
    }
    return "";
}

inline std::string LayerElement(const std::string& name, int width, int height,
                                const std::vector<uint32_t>& gids, LayerEncoding encoding) {
    return " <layer name=\"" + name + "\" width=\"" + std::to_string(width) + "\" height=\"" +
           std::to_string(height) + "\">\n  " + DataElement(gids, width, encoding) +
           "\n </layer>\n";
}

// A compressed stream of `mebibytes` MiB of zero bytes, made without deflating
// them all: every MiB after the first compresses to the same bytes once the
// compressor is flushed, so the stream is built by repetition and closed by
// hand with an empty final block and the check values of all those zeros.
inline std::vector<uint8_t> ZerosBomb(uint32_t mebibytes, Wrapper wrapper) {
    const std::vector<uint8_t> zeros(1 << 20);
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, wrapper == Wrapper::Gzip ? 31 : 15, 9,
                 Z_DEFAULT_STRATEGY);
    const auto flushed = [&] {
        std::vector<uint8_t> out(deflateBound(&stream, zeros.size()));
        stream.next_in = const_cast<Bytef*>(zeros.data());
        stream.avail_in = static_cast<uInt>(zeros.size());
        stream.next_out = out.data();
        stream.avail_out = static_cast<uInt>(out.size());
        deflate(&stream, Z_FULL_FLUSH);
        out.resize(static_cast<size_t>(stream.next_out - out.data()));
        return out;
    };
    std::vector<uint8_t> bomb = flushed();  // the header and the first MiB
    const std::vector<uint8_t> repeat = flushed();
    deflateEnd(&stream);
    for (uint32_t i = 1; i < mebibytes; ++i)
        bomb.insert(bomb.end(), repeat.begin(), repeat.end());
    bomb.push_back(0x03);  // a final fixed-Huffman block holding only its end code
    bomb.push_back(0x00);
    const uint64_t total = uint64_t{mebibytes} << 20;
    const auto append = [&](uint32_t value, bool bigEndian) {
        for (int i = 0; i < 4; ++i) {
            bomb.push_back(static_cast<uint8_t>(value >> (bigEndian ? 24 - 8 * i : 8 * i)));
        }
    };
    if (wrapper == Wrapper::Zlib) {
        append(static_cast<uint32_t>(total % 65521) << 16 | 1, true);  // Adler-32 of zeros
    } else {
        const uLong chunkCrc = crc32(0, zeros.data(), static_cast<uInt>(zeros.size()));
        uLong crc = 0;
        for (uint32_t i = 0; i < mebibytes; ++i)
            crc = crc32_combine(crc, chunkCrc, zeros.size());
        append(static_cast<uint32_t>(crc), false);
        append(static_cast<uint32_t>(total), false);
    }
    return bomb;
}
