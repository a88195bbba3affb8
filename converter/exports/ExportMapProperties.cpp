#include <cctype>
#include <optional>
#include <string>

#include "converter/exports/Exports.h"
#include "converter/text/Typos.h"
#include "tmx/decode/TmxNumbers.h"

namespace {

const FindingSubject kProperty{FindingSubject::Element::Property, "", 0, "", 0};

// A "Level" or "Respawn" that is there but not a whole number: the game reads
// what atoi makes of it. (One that is a list or a class holds no text.)
void CheckNumber(const tmx::TmxProperties& properties, const char* name, int32_t value,
                 Findings& findings) {
    const tmx::TmxProperty* property = properties.Find(name);
    if (property == nullptr || tmx::IsWholeNumber(property->value)) return;
    if (property->type == "list" || property->type == "class") return;  // header-type tells
    findings.push_back(FindingOf(finding::HeaderNumber{name, value}, property->at, kProperty));
}

// What the zone got of a header value, in words; none where it has no line.
std::optional<std::string> Got(const Zone& zone, const std::string& header) {
    if (header == "Level" && zone.level) return std::to_string(*zone.level);
    if (header == "Respawn" && zone.respawn) return std::to_string(*zone.respawn);
    if (header == "Title" && zone.title) return Quoted(*zone.title);
    return std::nullopt;
}

// A header property of a type that Tiled shows otherwise than as the text the
// game reads: a project's enum, a list, a class, a type no project declares.
void CheckTypes(const tmx::TmxProperties& properties, const Zone& zone, Findings& findings) {
    for (const char* header : {"Level", "Respawn", "Title"}) {
        const tmx::TmxProperty* property = properties.Find(header);
        if (property == nullptr) continue;
        const std::string& type = property->type;
        const std::string& custom = property->propertyType;
        if (type == "list" || type == "class") {
            findings.push_back(
                FindingOf(finding::HeaderType{header, type, custom, Got(zone, header)},
                          property->at, kProperty));
        } else if (!custom.empty() && property->declared) {
            findings.push_back(FindingOf(finding::HeaderEnum{header, custom, property->stored,
                                                             property->value, Got(zone, header)},
                                         property->at, kProperty));
        } else if (!custom.empty()) {
            findings.push_back(FindingOf(finding::HeaderType{header, custom, "", Got(zone, header)},
                                         property->at, kProperty));
        }
    }
}

// A name as designers slip in it: no white space around it, lower case.
std::string Folded(const std::string& name) {
    const size_t first = name.find_first_not_of(" \t\r\n");
    const size_t last = name.find_last_not_of(" \t\r\n");
    std::string folded = first == std::string::npos ? "" : name.substr(first, last - first + 1);
    for (char& c : folded)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return folded;
}

// A map property that misses a header's name only by case, white space or
// one typo: the game reads nothing of it.
void CheckNames(const tmx::TmxProperties& properties, const Zone& zone, Findings& findings) {
    for (const auto& [name, property] : properties.entries()) {
        for (const char* header : {"Level", "Respawn", "Title"}) {
            const std::string folded = Folded(name);
            const std::string wanted = Folded(header);
            if (name == header || (folded != wanted && !OneTypoApart(folded, wanted))) continue;
            findings.push_back(FindingOf(finding::HeaderName{name, header, Got(zone, header)},
                                         property.at, kProperty));
            break;
        }
    }
}

}  // namespace

void ExportMapProperties(const tmx::TmxMap& map, Zone& zone, Findings& findings) {
    const tmx::TmxProperties& properties = map.properties();
    // A missing number reads as the text "No such property!", whose value is 0.
    const int32_t level = tmx::Atoi(properties.ValueOf("Level").c_str());
    const int32_t respawn = tmx::Atoi(properties.ValueOf("Respawn").c_str());
    const std::string title = properties.ValueOf("Title");

    // Where each value comes from.
    const auto placeOf = [&](const char* name) {
        const tmx::TmxProperty* property = properties.Find(name);
        return property != nullptr ? property->at : tmx::TmxLocation{};
    };
    if (level > 0) {
        zone.level = level;
        zone.levelAt = placeOf("Level");
    }
    if (respawn > 0) {
        zone.respawn = respawn;
        zone.respawnAt = placeOf("Respawn");
    }
    // A text field ends at its first NUL byte, as a C string would.
    const std::string written = title.substr(0, title.find('\0'));
    if (!title.empty() && title != tmx::TmxProperties::kNoSuchProperty) {
        zone.title = written;
        zone.titleAt = placeOf("Title");
    }

    CheckNumber(properties, "Level", level, findings);
    CheckNumber(properties, "Respawn", respawn, findings);
    CheckNames(properties, zone, findings);
    CheckTypes(properties, zone, findings);
    // The title as stored: where it breaks its line, or was joined from several.
    const tmx::TmxProperty* titleProperty = properties.Find("Title");
    if (titleProperty == nullptr) return;
    if (written.find_first_of("\t\r\n") != std::string::npos) {
        findings.push_back(
            FindingOf(finding::TitleBreaksLine{title}, titleProperty->at, kProperty));
    }
    if (titleProperty->joinedLines) {
        findings.push_back(FindingOf(finding::TitleJoined{title}, titleProperty->at, kProperty));
    }
}
