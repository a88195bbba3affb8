#pragma once

// Number reading with the exact results of the C and C++ runtime calls that
// map files have always been read with, without their per-call cost.
//
//   ScanInt       sscanf(text, "%d")  — (int) strtol, base 10
//   ScanUnsigned  sscanf(text, "%u")  — (unsigned) strtoul, base 10
//   ScanDouble    sscanf(text, "%lf")
//   Atoi          atoi(text)
//   Atof          atof(text)
//   ReadInt       std::istringstream(text) >> int, into a value that starts at 0
//
// The Scan* functions leave `value` unchanged and return false when no number
// can be read, as sscanf leaves its target alone when it converts nothing.
// Texts end at `end` or at a NUL byte, whichever comes first.

#include <cstdint>
#include <string>

namespace tmx {

bool ScanInt(const char* text, int32_t& value);
bool ScanUnsigned(const char* text, uint32_t& value);
bool ScanDouble(const char* text, double& value);
int32_t Atoi(const char* text);
double Atof(const char* text);
int32_t ReadInt(const std::string& text);

// Whether `text` is a whole number that fits in 32 bits: an optional sign and
// decimal digits, nothing else but white space around them.
bool IsWholeNumber(const std::string& text);

// The in-place forms of ScanInt and ScanUnsigned: reads from `text` up to `end` and returns
// the position after the last character consumed (== text when nothing could
// be read, in which case `value` is untouched).
const char* ScanIntAt(const char* text, const char* end, int32_t& value);
const char* ScanUnsignedAt(const char* text, const char* end, uint32_t& value);

// C's isspace in the "C" locale: space, \t, \n, \v, \f, \r.
constexpr bool IsCSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Pixel arithmetic wraps at 32 bits instead of overflowing.
constexpr int32_t WrapAdd(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

}  // namespace tmx
