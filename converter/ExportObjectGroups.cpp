#include "ZoneExports.h"

void ExportObjectGroups(const tmx::TmxMap&, ZoneScript&) {}
