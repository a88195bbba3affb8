// Any bytes as a map file: load, then the three exports into memory.

#include <cstddef>
#include <cstdint>
#include <string>

#include "ExportAll.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tmx::TmxMap map;
    map.LoadFromText(std::string(reinterpret_cast<const char*>(data), size));
    if (!map.failed()) ExportAll(map);
    return 0;
}
