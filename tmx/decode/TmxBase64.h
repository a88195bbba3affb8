#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tmx {

// Decodes base64 (RFC 4648, standard alphabet) leniently, never failing:
//  - space, TAB, CR and LF are skipped, so text wrapped over lines decodes whole;
//  - decoding ends at "=" or at any other character outside the alphabet;
//  - a final group of 2 or 3 characters gives 1 or 2 bytes, with or without
//    padding; a lone final character gives nothing.
std::vector<uint8_t> Base64Decode(std::string_view text);

// The same, into `out`: stops once `capacity` bytes are written, and returns
// how many were.
size_t Base64DecodeInto(std::string_view text, uint8_t* out, size_t capacity);

}  // namespace tmx
