#include "converter/workspace/Baseline.h"

#include <string_view>

#include "converter/findings/FindingKey.h"
#include "converter/text/Escape.h"
#include "platform/FileText.h"

namespace {

constexpr char kHeader[] =
    "# VeltTileConverter baseline: the findings accepted as they are; map, kind, element\n";

}  // namespace

Baseline Baseline::Read(const std::string& path, std::string& problem) {
    Baseline baseline;
    const platform::FileText file = platform::ReadFileText(path, 0);
    if (!file.problem.empty() && file.problem != "The file is empty.") {
        problem = file.problem;
        return baseline;
    }
    std::string_view rest = file.text;
    while (!rest.empty()) {
        const size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;
        ++baseline.entries_[std::string(line)];
    }
    return baseline;
}

bool Baseline::Holds(const std::string& mapPath, const Finding& finding) {
    const std::lock_guard<std::mutex> lock(mutex_);
    const auto entry = entries_.find(FindingKey(mapPath, finding));
    if (entry == entries_.end() || entry->second == 0) return false;
    --entry->second;
    return true;
}

void Baseline::Record(const std::string& mapPath, const Finding& finding) {
    const std::lock_guard<std::mutex> lock(mutex_);
    ++entries_[FindingKey(mapPath, finding)];
}

std::string Baseline::Text() const {
    std::string text = kHeader;
    for (const auto& [key, count] : entries_)
        for (int i = 0; i < count; ++i)
            text.append(key).append("\n");
    return text;
}
