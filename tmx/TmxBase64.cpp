#include "TmxBase64.h"

#include <array>

namespace tmx {
namespace {

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

std::vector<uint8_t> Base64Decode(std::string_view text) {
    std::vector<uint8_t> bytes;
    bytes.reserve(text.size() / 4 * 3 + 2);
    uint32_t group = 0;  // the pending 6-bit values, oldest in the high bits
    int pending = 0;
    for (const char c : text) {
        const uint8_t value = kTable[static_cast<unsigned char>(c)];
        if (value == kSkip) continue;
        if (value == kStop) break;
        group = group << 6 | value;
        if (++pending == 4) {
            bytes.push_back(static_cast<uint8_t>(group >> 16));
            bytes.push_back(static_cast<uint8_t>(group >> 8));
            bytes.push_back(static_cast<uint8_t>(group));
            group = 0;
            pending = 0;
        }
    }
    // A short final group: its missing values reach none of the bytes kept.
    if (pending >= 2) {
        group <<= 6 * (4 - pending);
        bytes.push_back(static_cast<uint8_t>(group >> 16));
        if (pending == 3) bytes.push_back(static_cast<uint8_t>(group >> 8));
    }
    return bytes;
}

}  // namespace tmx
