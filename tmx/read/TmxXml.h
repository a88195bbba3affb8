#pragma once

// Attribute reads shared by the model records: a missing attribute, or one
// that holds no number, leaves the field as it was.

#include <tinyxml.h>

#include <cstdint>
#include <string>

#include "tmx/decode/TmxNumbers.h"
#include "tmx/model/TmxFinding.h"

namespace tmx {

inline void ReadIntAttribute(const TiXmlElement* element, const char* name, int32_t& field) {
    if (const char* text = element->Attribute(name)) ScanInt(text, field);
}

inline void ReadTextAttribute(const TiXmlElement* element, const char* name, std::string& field) {
    if (const char* text = element->Attribute(name)) field = text;
}

inline void ReadDoubleAttribute(const TiXmlElement* element, const char* name, double& field) {
    if (const char* text = element->Attribute(name)) ScanDouble(text, field);
}

// Parses `text` into `document`, unless the pre-scan finds what TinyXML
// cannot afford. `owner`, when given, holds the text and is freed once the
// document is built (without it, the text is the caller's to free). Returns
// "" or what is wrong, at `at` where the parser says.
std::string ParseXml(const char* text, std::string* owner, TiXmlDocument& document,
                     TmxLocation& at);

// Where TinyXML found the element's "<".
inline TmxLocation LocationOf(const TiXmlBase* node) {
    return {node->Row(), node->Column()};
}

}  // namespace tmx
