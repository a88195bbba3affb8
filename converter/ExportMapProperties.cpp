#include <string>

#include "TmxNumbers.h"
#include "ZoneExports.h"

void ExportMapProperties(const tmx::TmxMap& map, ZoneScript& script) {
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
}
