#include "tmx/decode/TmxNumbers.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace tmx {
namespace {

constexpr bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The C library's rules are those of a 64-bit long, as Linux has it: the same
// map reads alike on every platform, Windows' 32-bit long included.
constexpr uint64_t kMaxUnsignedLong = UINT64_MAX;
constexpr int64_t kMaxLong = INT64_MAX;
constexpr int64_t kMinLong = INT64_MIN;

// One decimal number in the shape strtol and strtoul accept: white space,
// an optional sign, digits. `magnitude` saturates at the largest unsigned
// long (`overflow` set).
struct Decimal {
    const char* next = nullptr;  // after the last digit; nullptr when no digit
    bool negative = false;
    bool overflow = false;
    uint64_t magnitude = 0;
};

Decimal ReadDecimal(const char* p, const char* end) {
    Decimal d;
    while (p != end && IsCSpace(*p))
        ++p;
    if (p != end && (*p == '+' || *p == '-')) {
        d.negative = *p == '-';
        ++p;
    }
    if (p == end || !IsDigit(*p)) return d;
    constexpr uint64_t kCut = kMaxUnsignedLong / 10;
    constexpr uint64_t kCutDigit = kMaxUnsignedLong % 10;
    for (; p != end && IsDigit(*p); ++p) {
        const auto digit = static_cast<uint64_t>(*p - '0');
        if (d.overflow || d.magnitude > kCut || (d.magnitude == kCut && digit > kCutDigit)) {
            d.overflow = true;
            continue;
        }
        d.magnitude = d.magnitude * 10 + digit;
    }
    d.next = p;
    return d;
}

const char* EndOf(const char* text) {
    return text + std::strlen(text);
}

// strtol's value for a decimal: saturated at the smallest and largest long.
int64_t StrtolValue(const Decimal& d) {
    constexpr auto kMaxPositive = static_cast<uint64_t>(kMaxLong);
    if (d.negative) {
        if (d.overflow || d.magnitude > kMaxPositive + 1) return kMinLong;
        return d.magnitude == kMaxPositive + 1 ? kMinLong : -static_cast<int64_t>(d.magnitude);
    }
    if (d.overflow || d.magnitude > kMaxPositive) return kMaxLong;
    return static_cast<int64_t>(d.magnitude);
}

// strtoul's value: saturated at the largest unsigned long, a minus sign
// negates modulo 2^64.
uint64_t StrtoulValue(const Decimal& d) {
    if (d.overflow) return kMaxUnsignedLong;
    return d.negative ? uint64_t{0} - d.magnitude : d.magnitude;
}

// Whether a decimal was read and fits in 32 signed bits.
bool FitsInt32(const Decimal& d) {
    return d.next != nullptr && !d.overflow &&
           d.magnitude <= (d.negative ? uint64_t{2147483648} : uint64_t{2147483647});
}

}  // namespace

const char* ScanIntAt(const char* text, const char* end, int32_t& value) {
    const Decimal d = ReadDecimal(text, end);
    if (d.next == nullptr) return text;
    // sscanf stores strtol's long into the int, keeping the low 32 bits.
    value = static_cast<int32_t>(static_cast<uint32_t>(StrtolValue(d)));
    return d.next;
}

bool ScanInt(const char* text, int32_t& value) {
    return ScanIntAt(text, EndOf(text), value) != text;
}

const char* ScanUnsignedAt(const char* text, const char* end, uint32_t& value) {
    const Decimal d = ReadDecimal(text, end);
    if (d.next == nullptr) return text;
    value = static_cast<uint32_t>(StrtoulValue(d));
    return d.next;
}

bool ScanUnsigned(const char* text, uint32_t& value) {
    return ScanUnsignedAt(text, EndOf(text), value) != text;
}

bool ScanDouble(const char* text, double& value) {
    // Read once per map at most; libc's own reader is the exact rule.
    return std::sscanf(text, "%lf", &value) == 1;
}

int32_t Atoi(const char* text) {
    const Decimal d = ReadDecimal(text, EndOf(text));
    if (d.next == nullptr) return 0;
    return static_cast<int32_t>(static_cast<uint32_t>(StrtolValue(d)));
}

double Atof(const char* text) {
    return std::strtod(text, nullptr);
}

int32_t ReadInt(const std::string& text) {
    const Decimal d = ReadDecimal(text.data(), text.data() + text.size());
    // A stream rejects a number outside int's range; the caller then sees 0.
    if (!FitsInt32(d)) return 0;
    return d.negative ? static_cast<int32_t>(uint64_t{0} - d.magnitude)
                      : static_cast<int32_t>(d.magnitude);
}

bool IsWholeNumber(const std::string& text) {
    const char* const end = text.data() + text.size();
    const Decimal d = ReadDecimal(text.data(), end);
    if (!FitsInt32(d)) return false;
    for (const char* p = d.next; p != end; ++p) {
        if (!IsCSpace(*p)) return false;
    }
    return true;
}

}  // namespace tmx
