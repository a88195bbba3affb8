// Any bytes as a JSON map and as a JSON template: load, then the three exports
// into memory. Inputs that do not start as JSON are made to.

#include <cstddef>
#include <cstdint>
#include <string>

#include "ExportAll.h"
#include "tmx/read/TmxJson.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    if (!tmx::IsJson(text.c_str())) text.insert(0, "{");

    tmx::TmxMap map;
    map.LoadFromText(text);
    if (!map.failed()) ExportAll(map);

    const size_t length = text.size();
    text.append(tmx::kJsonPadding, '\0');
    tmx::TmxObject object;
    tmx::TmxJsonReader::ReadTemplate(text.data(), length, object);
    return 0;
}
