#include "TmxBase64.h"

#include <array>

namespace tmx {
namespace {

// Table values: 0 to 63 for the alphabet; both markers have a bit of 0xC0.
constexpr uint8_t kSkip = 64;
constexpr uint8_t kStop = 255;

constexpr std::array<uint8_t, 256> MakeTable() {
    std::array<uint8_t, 256> table{};
    table.fill(kStop);
    constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    for (uint8_t value = 0; value < 64; ++value) {
        table[static_cast<unsigned char>(kAlphabet[value])] = value;
    }
    for (const char blank : {' ', '\t', '\r', '\n'})
        table[static_cast<unsigned char>(blank)] = kSkip;
    return table;
}

constexpr std::array<uint8_t, 256> kTable = MakeTable();

}  // namespace

size_t Base64DecodeInto(std::string_view text, uint8_t* out, size_t capacity) {
    size_t written = 0;
    const auto put = [&](uint32_t byte) {
        if (written < capacity) out[written++] = static_cast<uint8_t>(byte);
    };
    uint32_t group = 0;  // the pending 6-bit values, oldest in the high bits
    int pending = 0;
    size_t i = 0;
    for (;;) {
        // Whole groups of four alphabet characters, the bulk of any text.
        if (pending == 0) {
            while (i + 4 <= text.size() && written + 3 <= capacity) {
                const uint32_t a = kTable[static_cast<unsigned char>(text[i])];
                const uint32_t b = kTable[static_cast<unsigned char>(text[i + 1])];
                const uint32_t c = kTable[static_cast<unsigned char>(text[i + 2])];
                const uint32_t d = kTable[static_cast<unsigned char>(text[i + 3])];
                if ((a | b | c | d) & 0xC0) break;  // a blank or the end: the careful way
                const uint32_t bits = a << 18 | b << 12 | c << 6 | d;
                out[written] = static_cast<uint8_t>(bits >> 16);
                out[written + 1] = static_cast<uint8_t>(bits >> 8);
                out[written + 2] = static_cast<uint8_t>(bits);
                written += 3;
                i += 4;
            }
        }
        if (i == text.size() || written == capacity) break;
        const uint8_t value = kTable[static_cast<unsigned char>(text[i++])];
        if (value == kSkip) continue;
        if (value == kStop) break;
        group = group << 6 | value;
        if (++pending == 4) {
            put(group >> 16);
            put(group >> 8);
            put(group);
            group = 0;
            pending = 0;
        }
    }
    // A short final group: its missing values reach none of the bytes kept.
    if (pending >= 2) {
        group <<= 6 * (4 - pending);
        put(group >> 16);
        if (pending == 3) put(group >> 8);
    }
    return written;
}

std::vector<uint8_t> Base64Decode(std::string_view text) {
    std::vector<uint8_t> bytes(text.size() / 4 * 3 + 2);
    bytes.resize(Base64DecodeInto(text, bytes.data(), bytes.size()));
    return bytes;
}

}  // namespace tmx
