#include <string>

#include "TmxNumbers.h"
#include "ZoneExports.h"

namespace {

// A "Level" or "Respawn" that is there but not a whole number: the game reads
// what atoi makes of it. values: that number.
void CheckNumber(const tmx::TmxProperties& properties, const char* name, int32_t value,
                 tmx::TmxFindings& findings) {
    const tmx::TmxProperty* property = properties.Find(name);
    if (property == nullptr || tmx::IsWholeNumber(property->value)) return;
    findings.push_back({tmx::TmxSeverity::Warning,
                        tmx::TmxFindingKind::HeaderNumber,
                        tmx::TmxElement::Property,
                        property->at,
                        "",
                        0,
                        name,
                        {value},
                        "",
                        {}});
}

}  // namespace

void ExportMapProperties(const tmx::TmxMap& map, ZoneScript& script, tmx::TmxFindings& findings) {
    const tmx::TmxProperties& properties = map.properties();
    // A missing number reads as the text "No such property!", whose value is 0.
    const int32_t level = tmx::Atoi(properties.ValueOf("Level").c_str());
    const int32_t respawn = tmx::Atoi(properties.ValueOf("Respawn").c_str());
    const std::string title = properties.ValueOf("Title");

    if (level > 0) script.WriteLevel(level);
    if (respawn > 0) script.WriteRespawn(respawn);
    if (!title.empty() && title != tmx::TmxProperties::kNoSuchProperty) {
        script.WriteZoneTitle(title);
    }
    script.WriteEmptyLine();

    CheckNumber(properties, "Level", level, findings);
    CheckNumber(properties, "Respawn", respawn, findings);
    // title-breaks-line, title-joined (a note); subject: the title as stored.
    const tmx::TmxProperty* titleProperty = properties.Find("Title");
    const std::string written = title.substr(0, title.find('\0'));  // as the writer cuts it
    if (titleProperty != nullptr && written.find_first_of("\t\r\n") != std::string::npos) {
        findings.push_back({tmx::TmxSeverity::Warning,
                            tmx::TmxFindingKind::TitleBreaksLine,
                            tmx::TmxElement::Property,
                            titleProperty->at,
                            "",
                            0,
                            title,
                            {},
                            "",
                            {}});
    }
    if (titleProperty != nullptr && titleProperty->joinedLines) {
        findings.push_back({tmx::TmxSeverity::Note,
                            tmx::TmxFindingKind::TitleJoined,
                            tmx::TmxElement::Property,
                            titleProperty->at,
                            "",
                            0,
                            title,
                            {},
                            "",
                            {}});
    }
}
