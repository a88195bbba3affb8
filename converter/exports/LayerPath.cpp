#include "converter/exports/LayerPath.h"

namespace {

// The names of group `index` and those that hold it, outermost first.
std::string Path(const tmx::TmxMap& map, int32_t index) {
    std::string path;
    for (int32_t at = index; at >= 0; at = map.groups()[static_cast<size_t>(at)].parent)
        path.insert(0, map.groups()[static_cast<size_t>(at)].name + "/");
    return path;
}

}  // namespace

std::string LayerPath(const tmx::TmxMap& map, int32_t orderIndex, const std::string& name) {
    // Groups stand in the order they open; the last that holds it is the innermost.
    int32_t innermost = -1;
    for (size_t i = 0; i < map.groups().size(); ++i) {
        const tmx::TmxGroup& group = map.groups()[i];
        if (orderIndex >= group.firstOrder && orderIndex < group.endOrder)
            innermost = static_cast<int32_t>(i);
    }
    return Path(map, innermost) + name;
}

std::string GroupPath(const tmx::TmxMap& map, size_t group) {
    const std::string path = Path(map, static_cast<int32_t>(group));
    return path.substr(0, path.size() - 1);
}
