// The number readers against libc and the C++ stream on the same text.

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "TmxNumbers.h"

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
    return 0;
}
