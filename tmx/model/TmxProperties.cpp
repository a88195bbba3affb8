#include "tmx/model/TmxProperties.h"

#include <algorithm>

#include "tmx/read/TmxXml.h"

namespace tmx {

namespace {

// The text of `source` from `at` (a line and a byte column) up to the next
// markup: an element's content as written, before the parser condensed it.
std::string_view RawTextAt(std::string_view source, TmxLocation at) {
    size_t start = 0;
    for (int32_t line = 1; line < at.line; ++line) {
        start = source.find('\n', start);
        if (start == std::string_view::npos) return {};
        ++start;
    }
    start += static_cast<size_t>(std::max(at.column, 1) - 1);
    if (start >= source.size()) return {};
    const size_t end = source.find('<', start);
    return source.substr(start, end == std::string_view::npos ? end : end - start);
}

}  // namespace

bool SpansLines(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return false;
    const size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first).find_first_of("\r\n") != std::string_view::npos;
}

void TmxProperties::ReadElement(const TiXmlElement* element, std::string_view source) {
    for (const TiXmlElement* property = element->FirstChildElement("property"); property;
         property = property->NextSiblingElement("property")) {
        const char* name = property->Attribute("name");
        if (name == nullptr) continue;
        const char* value = property->Attribute("value");
        bool joined = false;
        if (value == nullptr) {
            value = property->GetText();
            const TiXmlNode* text = property->FirstChild();
            if (value != nullptr && !source.empty() && text != nullptr) {
                joined = SpansLines(RawTextAt(source, LocationOf(text)));
            }
        }
        Set(name, {value != nullptr ? value : "", LocationOf(property), joined});
    }
}

void TmxProperties::ReadFirstBlockOf(const TiXmlElement* owner) {
    if (const TiXmlElement* block = owner->FirstChildElement("properties")) ReadElement(block);
}

std::string TmxProperties::ValueOf(const std::string& name) const {
    const auto found = entries_.find(name);
    return found != entries_.end() ? found->second.value : kNoSuchProperty;
}

void TmxProperties::Set(const std::string& name, TmxProperty property) {
    entries_.insert_or_assign(name, std::move(property));
}

const TmxProperty* TmxProperties::Find(const std::string& name) const {
    const auto found = entries_.find(name);
    return found != entries_.end() ? &found->second : nullptr;
}

}  // namespace tmx
