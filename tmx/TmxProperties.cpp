#include "TmxProperties.h"

#include "TmxXml.h"

namespace tmx {

void TmxProperties::ReadElement(const TiXmlElement* element) {
    for (const TiXmlElement* property = element->FirstChildElement("property"); property;
         property = property->NextSiblingElement("property")) {
        const char* name = property->Attribute("name");
        if (name == nullptr) continue;
        const char* value = property->Attribute("value");
        if (value == nullptr) value = property->GetText();
        Set(name, {value != nullptr ? value : "", LocationOf(property)});
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
