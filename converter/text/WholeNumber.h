#pragma once

// A whole decimal number that fills its text, in 32 bits, as the command line
// and the zone script's fields hold them: "12", "-3"; not "", "+1", "1x", " 1".

#include <charconv>
#include <cstdint>
#include <optional>
#include <string_view>

inline std::optional<int32_t> WholeNumber(std::string_view text) {
    int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) return {};
    return value;
}
