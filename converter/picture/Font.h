#pragma once

#include <cstdint>

// The pictures' one typeface: printable ASCII in 5 x 7 dots standing on a
// line, lower case 5 dots high, with 2 rows below the line for descenders
// (g, j, p, q, y), drawn a column of space apart.
constexpr int32_t kGlyphWidth = 5;
constexpr int32_t kGlyphAscent = 7;  // the rows down to the line
constexpr int32_t kGlyphHeight = 9;  // with the descenders
constexpr int32_t kGlyphAdvance = 6;

// The nine rows of `c`'s glyph, 5 bits each, the leftmost dot the highest
// bit; a box for a character outside printable ASCII.
const uint8_t* GlyphOf(char c);
