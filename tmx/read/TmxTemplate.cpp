#include "tmx/read/TmxTemplate.h"

#include "platform/FileText.h"
#include "tmx/read/TmxFileName.h"
#include "tmx/read/TmxJson.h"
#include "tmx/read/TmxXml.h"
#include "tmx/read/TmxXmlReader.h"

namespace tmx {

void TmxTemplates::BeginMap(const std::string& folder) {
    folder_ = folder;
    namedByMap_.clear();
}

void TmxTemplates::ApplyAll(TmxMap& map) {
    for (TmxObjectGroup& group : map.editObjectGroups()) {
        for (TmxObject& object : group.editObjects()) {
            const std::string problem = Apply(object);
            if (problem.empty()) continue;
            map.AddFinding({object.location(), group.orderIndex(), group.name(), object.id(),
                            TmxTemplateProblem{object.templatePath(), problem}});
        }
    }
}

std::string TmxTemplates::Apply(TmxObject& object) {
    const std::string& named = object.templatePath();
    if (named.empty()) return "";
    const std::string path = FileNamedFrom(folder_, named);
    if (namedByMap_.count(path) == 0 && namedByMap_.size() == kMaxPerMap) {
        return "the map names more than " + std::to_string(kMaxPerMap) + " templates";
    }
    namedByMap_.insert(path);
    auto found = files_.find(path);
    if (found == files_.end()) found = files_.emplace(path, Read(path)).first;
    if (!found->second.object) return found->second.problem;
    object.ApplyTemplate(*found->second.object);
    return "";
}

TmxTemplates::Entry TmxTemplates::Read(const std::string& path) {
    Entry entry;
    platform::FileText file = platform::ReadFileText(path, kJsonPadding);
    if (!file.problem.empty()) {
        entry.problem = file.problem;
        return entry;
    }
    const size_t first = file.text.find_first_not_of(" \t\r\n");
    if (first != std::string::npos && file.text[first] == '{') {
        TmxObject object;
        entry.problem =
            TmxJsonReader::ReadTemplate(file.text.data(), file.text.size() - kJsonPadding, object);
        if (entry.problem.empty()) entry.object = std::move(object);
        return entry;
    }
    TiXmlDocument document;
    TmxLocation at;
    entry.problem = ParseXml(file.text.c_str(), &file.text, document, at);
    if (!entry.problem.empty()) return entry;
    const TiXmlElement* root = document.FirstChildElement("template");
    const TiXmlElement* element = root != nullptr ? root->FirstChildElement("object") : nullptr;
    if (element == nullptr) {
        entry.problem = "It is not an object template.";
        return entry;
    }
    TmxXmlReader::ReadObject(element, entry.object.emplace());
    return entry;
}

}  // namespace tmx
