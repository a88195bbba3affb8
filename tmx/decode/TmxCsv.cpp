#include "tmx/decode/TmxCsv.h"

#include <bit>
#include <cstring>

#include "tmx/decode/TmxNumbers.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tmx {
namespace {

// One bit per byte of the 64 at `p`, set where the byte is a comma.
uint64_t CommaMask(const char* p) {
#if defined(__SSE2__)
    const __m128i comma = _mm_set1_epi8(',');
    uint64_t mask = 0;
    for (int i = 0; i < 4; ++i) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i));
        mask |= uint64_t{static_cast<uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, comma)))}
                << (16 * i);
    }
    return mask;
#else
    uint64_t mask = 0;
    for (int i = 0; i < 64; ++i)
        mask |= uint64_t{p[i] == ','} << i;
    return mask;
#endif
}

// The value of the `n` (1 to 4) decimal digits at `p`, or -1 when any of
// them is no digit. Reads four bytes whatever `n` is.
int64_t ShortNumber(const char* p, size_t n) {
    uint32_t word;
    std::memcpy(&word, p, 4);
    if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap32(word);
    // The first character in the lowest byte; digits become 0 to 9 and any
    // other byte reaches 10 or has its top bit set.
    word ^= 0x30303030u;
    word <<= 8 * (4 - n);  // leading zero digits in front of the number
    const uint32_t notDigit = (((word & 0x7F7F7F7Fu) + 0x76767676u) | word) & 0x80808080u;
    if (notDigit != 0) return -1;
    // Pairs of digits, then the two pairs.
    word = (word * 10 + (word >> 8)) & 0x00FF00FFu;
    return (word * 100 + (word >> 16)) & 0xFFFFu;
}

// The token from `p` to `end` read the general way; `previous` when it holds
// no number. Kept out of the loop that reads short tokens, whose registers it
// would otherwise take.
[[gnu::noinline]] uint32_t ScanToken(const char* p, const char* end, uint32_t previous) {
    ScanUnsignedAt(p, end, previous);
    return previous;
}

}  // namespace

size_t DecodeCsvGids(std::string_view text, uint32_t* gids, size_t limit) {
    const char* p = text.data();  // where the next token starts
    const char* const end = p + text.size();
    uint32_t* out = gids;
    uint32_t* const full = gids + limit;
    uint32_t gid = 0;
    // The token from p to `comma`, if any.
    const auto take = [&](const char* comma) {
        const auto n = static_cast<size_t>(comma - p);
        if (n != 0) {
            const int64_t value = n <= 4 ? ShortNumber(p, n) : -1;
            gid = value >= 0 ? static_cast<uint32_t>(value) : ScanToken(p, comma, gid);
            *out++ = gid;
        }
        p = comma + 1;
    };
    // Most of the text goes 64 bytes at a time: the commas of a block are
    // found at once, so that finding a token never waits for the one before.
    // Short tokens of digits alone are read on the spot, any other the
    // general way. The blocks stop 4 bytes short of the end for ShortNumber.
    for (const char* block = p; end - block >= 68 && out != full; block += 64) {
        uint64_t commas = CommaMask(block);
        if (full - out >= 64) {
            // Room for every token a block can hold: none checks the limit.
            for (; commas != 0; commas &= commas - 1)
                take(block + std::countr_zero(commas));
        } else {
            for (; commas != 0 && out != full; commas &= commas - 1)
                take(block + std::countr_zero(commas));
        }
    }
    // The rest, token by token.
    while (out != full) {
        while (p != end && *p == ',')
            ++p;
        if (p == end) break;
        const char* comma = static_cast<const char*>(std::memchr(p, ',', size_t(end - p)));
        if (comma == nullptr) comma = end;
        gid = ScanToken(p, comma, gid);
        *out++ = gid;
        p = comma;
    }
    return static_cast<size_t>(out - gids);
}

}  // namespace tmx
