#include "TmxProperties.h"

#include <tinyxml.h>

namespace tmx {

void TmxProperties::ReadElement(const TiXmlElement* element) {
    for (const TiXmlElement* property = element->FirstChildElement("property"); property;
         property = property->NextSiblingElement("property")) {
        const char* name = property->Attribute("name");
        if (name == nullptr) continue;
        const char* value = property->Attribute("value");
        if (value == nullptr) value = property->GetText();
        entries_.insert_or_assign(name, value != nullptr ? value : "");
    }
}

void TmxProperties::ReadFirstBlockOf(const TiXmlElement* owner) {
    if (const TiXmlElement* block = owner->FirstChildElement("properties")) ReadElement(block);
}

std::string TmxProperties::ValueOf(const std::string& name) const {
    const auto found = entries_.find(name);
    return found != entries_.end() ? found->second : kNoSuchProperty;
}

}  // namespace tmx
