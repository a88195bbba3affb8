// The number readers, and the CSV reading of layer data, against libc and
// the C++ stream on the same text.

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "tmx/decode/TmxCsv.h"
#include "tmx/decode/TmxNumbers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const char* c = text.c_str();  // libc reads up to the first NUL, as the helpers do

    int libcInt = 12345;
    int32_t ownInt = 12345;
    if ((std::sscanf(c, "%d", &libcInt) == 1) != tmx::ScanInt(c, ownInt) || libcInt != ownInt) {
        __builtin_trap();
    }
    unsigned libcUnsigned = 12345;
    uint32_t ownUnsigned = 12345;
    if ((std::sscanf(c, "%u", &libcUnsigned) == 1) != tmx::ScanUnsigned(c, ownUnsigned) ||
        libcUnsigned != ownUnsigned) {
        __builtin_trap();
    }
    if (std::atoi(c) != tmx::Atoi(c)) __builtin_trap();

    std::istringstream stream(text);
    int streamed = 0;
    stream >> streamed;
    if (stream.fail() && (streamed == INT_MAX || streamed == INT_MIN)) streamed = 0;
    if (streamed != tmx::ReadInt(text)) __builtin_trap();

    // CSV layer data as strtok(",") and sscanf("%u") read it.
    std::string tokens(c);
    std::vector<uint32_t> expected;
    uint32_t gid = 0;
    for (char* token = std::strtok(tokens.data(), ","); token; token = std::strtok(nullptr, ",")) {
        unsigned value = 0;
        if (std::sscanf(token, "%u", &value) == 1) gid = value;
        expected.push_back(gid);
    }
    std::vector<uint32_t> gids(expected.size() + 1);
    gids.resize(tmx::DecodeCsvGids(c, gids.data(), gids.size()));
    if (gids != expected) __builtin_trap();
    return 0;
}
