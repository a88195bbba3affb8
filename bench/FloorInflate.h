#pragma once

// The floor's inflation, the same in process and as a process: zlib or gzip
// `stream` into `grid`, as far as it reaches.

#include <simdjson.h>
#include <zlib.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "tmx/decode/TmxBase64.h"

inline void FloorInflate(const std::vector<uint8_t>& stream, std::vector<uint8_t>& grid) {
    z_stream z{};
    z.next_in = const_cast<Bytef*>(stream.data());
    z.avail_in = static_cast<uInt>(stream.size());
    z.next_out = grid.data();
    z.avail_out = static_cast<uInt>(grid.size());
    inflateInit2(&z, 15 + 32);  // zlib or gzip, told by the header
    inflate(&z, Z_SYNC_FLUSH);
    inflateEnd(&z);
}

// The layer decoding of a parsed JSON map: base64 text decoded into a buffer
// of the layer's size, and inflated when compressed, one layer at a time.
inline void FloorJsonLayers(const simdjson::dom::element& map) {
    simdjson::dom::array layers;
    if (map["layers"].get(layers) != simdjson::SUCCESS) return;
    for (const simdjson::dom::element layer : layers) {
        std::string_view compression;
        std::string_view data;
        int64_t width = 0;
        int64_t height = 0;
        if (layer["data"].get(data) != simdjson::SUCCESS ||
            layer["width"].get(width) != simdjson::SUCCESS ||
            layer["height"].get(height) != simdjson::SUCCESS) {
            continue;
        }
        std::vector<uint8_t> grid(static_cast<size_t>(width * height) * 4);
        if (layer["compression"].get(compression) == simdjson::SUCCESS && !compression.empty()) {
            FloorInflate(tmx::Base64Decode(data), grid);
        } else {
            tmx::Base64DecodeInto(data, grid.data(), grid.size());
        }
    }
}
