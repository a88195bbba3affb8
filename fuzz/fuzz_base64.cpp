// Base64Decode on any text: bounded output, and a round trip of what it gives.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "Encoders.h"
#include "tmx/decode/TmxBase64.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes =
        tmx::Base64Decode(std::string_view(reinterpret_cast<const char*>(data), size));
    if (bytes.size() > size / 4 * 3 + 2) __builtin_trap();
    if (tmx::Base64Decode(Base64Encode(bytes)) != bytes) __builtin_trap();
    return 0;
}
