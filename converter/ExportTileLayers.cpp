#include "ZoneExports.h"

void ExportTileLayers(const tmx::TmxMap&, ZoneScript& script) {
    script.WriteEmptyLine();
    script.WriteEmptyLine();
}
