#pragma once

// The floor's inflation, the same in process and as a process: zlib or gzip
// `stream` into `grid`, as far as it reaches.

#include <zlib.h>

#include <cstdint>
#include <vector>

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
