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
