#pragma once

#include <cstdint>
#include <vector>

namespace tmx {

// Reads the inside of a JSON array, `from` to `to`, where `to` is its "]",
// that holds nothing but integers as Tiled writes ids: digits without sign,
// fraction, exponent or leading zero, at most 19 of them, between commas and
// JSON's white space. Appends each id's low 32 bits to `ids`, as the JSON
// parser's 64-bit reading of it keeps them, and returns true; leaves `ids`
// as it was and returns false for anything else, an empty array included.
bool ReadJsonIdArray(const char* from, const char* to, std::vector<uint32_t>& ids);

// Makes every byte from `from` to `to` a blank but line breaks, which stay
// where they are, and returns how many line feeds there are.
int32_t BlankKeepingLines(char* from, char* to);

}  // namespace tmx
