// Any bytes as a Tiled world and the names in its folder: the world's text up
// to the first NUL, then the names, one a line. Every pattern must compile
// or fail, and match every name or give up, within the fuzzer's timeout.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "converter/workspace/NamePattern.h"
#include "tmx/read/TmxProject.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t split = input.find('\0');
    const std::string text(input.substr(0, split));
    std::vector<std::string> names;
    if (split != std::string_view::npos) {
        std::string_view rest = input.substr(split + 1);
        while (!rest.empty()) {
            const size_t end = rest.find('\n');
            names.emplace_back(rest.substr(0, end));
            rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        }
    }
    tmx::TmxWorld world;
    tmx::ReadWorld(text, world);
    for (const tmx::TmxWorld::Pattern& pattern : world.patterns)
        NamesMatching(pattern.regexp, names);
    return 0;
}
