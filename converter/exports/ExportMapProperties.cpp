#include <string>

#include "converter/exports/Exports.h"
#include "tmx/decode/TmxNumbers.h"

namespace {

const FindingSubject kProperty{FindingSubject::Element::Property, "", 0, "", 0};

// A "Level" or "Respawn" that is there but not a whole number: the game reads
// what atoi makes of it.
void CheckNumber(const tmx::TmxProperties& properties, const char* name, int32_t value,
                 Findings& findings) {
    const tmx::TmxProperty* property = properties.Find(name);
    if (property == nullptr || tmx::IsWholeNumber(property->value)) return;
    findings.push_back(FindingOf(finding::HeaderNumber{name, value}, property->at, kProperty));
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
