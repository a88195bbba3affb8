#include <string>

#include "ZoneExports.h"
#include "tmx/decode/TmxNumbers.h"

namespace {

// A "Level" or "Respawn" that is there but not a whole number: the game reads
// what atoi makes of it.
void CheckNumber(const tmx::TmxProperties& properties, const char* name, int32_t value,
                 Findings& findings) {
    const tmx::TmxProperty* property = properties.Find(name);
    if (property == nullptr || tmx::IsWholeNumber(property->value)) return;
    findings.push_back({tmx::TmxSeverity::Warning,
                        property->at,
                        {FindingSubject::Element::Property, "", 0, "", 0},
                        finding::HeaderNumber{name, value}});
}

}  // namespace

void ExportMapProperties(const tmx::TmxMap& map, ZoneScript& script, Findings& findings) {
    const tmx::TmxProperties& properties = map.properties();
    // A missing number reads as the text "No such property!", whose value is 0.
    const int32_t level = tmx::Atoi(properties.ValueOf("Level").c_str());
    const int32_t respawn = tmx::Atoi(properties.ValueOf("Respawn").c_str());
    const std::string title = properties.ValueOf("Title");

    // Where each value comes from, for the lines' content.
    const auto placeOf = [&](const char* name) {
        const tmx::TmxProperty* property = properties.Find(name);
        return property != nullptr ? property->at : tmx::TmxLocation{};
    };
    if (level > 0) script.WriteLevel(level, placeOf("Level"));
    if (respawn > 0) script.WriteRespawn(respawn, placeOf("Respawn"));
    if (!title.empty() && title != tmx::TmxProperties::kNoSuchProperty) {
        script.WriteZoneTitle(title, placeOf("Title"));
    }
    script.WriteEmptyLine();

    CheckNumber(properties, "Level", level, findings);
    CheckNumber(properties, "Respawn", respawn, findings);
    // The title as stored: where it breaks its line, or was joined from several.
    const tmx::TmxProperty* titleProperty = properties.Find("Title");
    if (titleProperty == nullptr) return;
    const FindingSubject about{FindingSubject::Element::Property, "", 0, "", 0};
    const std::string written = title.substr(0, title.find('\0'));  // as the writer cuts it
    if (written.find_first_of("\t\r\n") != std::string::npos) {
        findings.push_back(
            {tmx::TmxSeverity::Warning, titleProperty->at, about, finding::TitleBreaksLine{title}});
    }
    if (titleProperty->joinedLines) {
        findings.push_back(
            {tmx::TmxSeverity::Note, titleProperty->at, about, finding::TitleJoined{title}});
    }
}
