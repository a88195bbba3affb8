// Any bytes as a JSON map and as a JSON template: load, then the three exports
// into memory. Inputs that do not start as JSON are made to. The map is also
// read from a copy of its own, as the loader reads a file (the layers' ids
// taken out before the parse), which must give the same layers and errors.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ExportAll.h"
#include "tmx/read/TmxJson.h"

namespace {

bool SameLayers(const tmx::TmxMap& a, const tmx::TmxMap& b) {
    if (a.failed() != b.failed() || a.errorMessage() != b.errorMessage() ||
        a.layers().size() != b.layers().size()) {
        return false;
    }
    for (size_t i = 0; i < a.layers().size(); ++i) {
        const auto& first = a.layers()[i].chunks();
        const auto& second = b.layers()[i].chunks();
        if (first.size() != second.size()) return false;
        for (size_t c = 0; c < first.size(); ++c) {
            if (first[c].gids.size() != second[c].gids.size()) return false;
            for (size_t k = 0; k < first[c].gids.size(); ++k)
                if (first[c].gids[k] != second[c].gids[k]) return false;
        }
        if (a.layers()[i].location().line != b.layers()[i].location().line) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    if (!tmx::IsJson(text.c_str())) text.insert(0, "{");

    tmx::TmxMap map;
    map.LoadFromText(text);
    if (!map.failed()) ExportAll(map);

    const size_t length = text.size();
    text.append(tmx::kJsonPadding, '\0');
    std::string own = text;
    tmx::TmxMap parsed;
    tmx::TmxJsonReader::ReadMap(parsed, text.data(), length, nullptr);
    tmx::TmxMap lifted;
    tmx::TmxJsonReader::ReadMap(lifted, own.data(), length, &own);
    if (!SameLayers(parsed, lifted)) std::abort();

    tmx::TmxObject object;
    tmx::TmxJsonReader::ReadTemplate(text.data(), length, object);
    return 0;
}
