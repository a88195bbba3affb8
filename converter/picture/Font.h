#pragma once

#include <cstdint>

// The pictures' one typeface: printable ASCII in 3 x 5 dots, drawn a column
// of space apart.
constexpr int32_t kGlyphWidth = 3;
constexpr int32_t kGlyphHeight = 5;
constexpr int32_t kGlyphAdvance = 4;

// The five rows of `c`'s glyph, 3 bits each, the leftmost dot the highest
// bit; a box for a character outside printable ASCII.
const uint8_t* GlyphOf(char c);
