#include "converter/program/Baseline.h"

#include <string_view>

#include "converter/findings/FindingText.h"
#include "converter/text/Escape.h"
#include "platform/FileText.h"

namespace {

constexpr char kHeader[] =
    "# VeltTileConverter baseline: the findings accepted as they are; map, kind, element\n";

}  // namespace

std::string Baseline::Key(const std::string& mapPath, const Finding& finding) {
    using Element = FindingSubject::Element;
    const FindingSubject& about = finding.about;
    std::string element;
    switch (about.element) {
        case Element::Object:
            // An object by its id; one without (a map written by hand) by its name.
            element = "object " +
                      (about.objectId != 0 ? std::to_string(about.objectId)
                                           : "\"" + about.objectName + "\"") +
                      " in \"" + about.layer + "\"";
            break;
        case Element::ZoneLine:
            // A zone script's line has nothing to hold it by but what it says.
            element = "line " + FindingText(finding);
            break;
        case Element::Layer:
        case Element::ObjectGroup:
        case Element::Group:
        case Element::Tileset:
            element = ElementWords(about);
            break;
        case Element::Map:
        case Element::Property:
            element = "the map";
            break;
    }
    return VisibleText(mapPath) + "\t" + KindName(finding.what) + "\t" + VisibleText(element);
}

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
    const auto entry = entries_.find(Key(mapPath, finding));
    if (entry == entries_.end() || entry->second == 0) return false;
    --entry->second;
    return true;
}

void Baseline::Record(const std::string& mapPath, const Finding& finding) {
    const std::lock_guard<std::mutex> lock(mutex_);
    ++entries_[Key(mapPath, finding)];
}

std::string Baseline::Text() const {
    std::string text = kHeader;
    for (const auto& [key, count] : entries_)
        for (int i = 0; i < count; ++i)
            text.append(key).append("\n");
    return text;
}
