#include "tmx/decode/TmxBase64.h"

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

// The bulk of a text is whole groups of four alphabet characters. For them,
// each character's value already shifted to its place in the group's 24 bits;
// anything else sets bit 24.
constexpr uint32_t kNotInGroup = 1u << 24;

constexpr std::array<uint32_t, 256> MakeGroupTable(int shift) {
    std::array<uint32_t, 256> table{};
    for (size_t c = 0; c < 256; ++c) {
        table[c] = kTable[c] < 64 ? uint32_t{kTable[c]} << shift : kNotInGroup;
    }
    return table;
}

constexpr std::array<uint32_t, 256> kFirst = MakeGroupTable(18);
constexpr std::array<uint32_t, 256> kSecond = MakeGroupTable(12);
constexpr std::array<uint32_t, 256> kThird = MakeGroupTable(6);
constexpr std::array<uint32_t, 256> kFourth = MakeGroupTable(0);

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
                const uint32_t bits = kFirst[static_cast<unsigned char>(text[i])] |
                                      kSecond[static_cast<unsigned char>(text[i + 1])] |
                                      kThird[static_cast<unsigned char>(text[i + 2])] |
                                      kFourth[static_cast<unsigned char>(text[i + 3])];
                if (bits & kNotInGroup) break;  // a blank or the end: the careful way
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
