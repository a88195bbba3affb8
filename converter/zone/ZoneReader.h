#pragma once

#include <cstdint>
#include <string_view>

#include "converter/findings/Finding.h"
#include "converter/zone/Zone.h"

// A zone script read back, as the game reads it: what it says, and a finding
// (zone-line, zone-number, zone-block) at the line of whatever it does not
// understand. What it understands is kept, whatever else is wrong. The
// writer's inverse: the bytes WriteZoneScript makes of a zone read back as
// that zone.
struct ZoneRead {
    Zone zone;
    Findings findings;
    // The lines the game reads: directives it understands, and empty lines
    // ended as the writer ends them. Text with none is no zone script.
    int32_t linesRead = 0;
};

ZoneRead ReadZoneScript(std::string_view bytes);
