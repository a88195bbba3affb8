// Zone scripts read back, described, compared and made maps: no input crashes
// them, the same bytes read twice are the same zone with the same
// description, and compared with an empty zone, a zone with anything to
// describe has changes.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "converter/review/ZoneDescribe.h"
#include "converter/review/ZoneDiff.h"
#include "converter/tomap/ZoneToMap.h"
#include "converter/zone/ZoneReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Zone zone = ReadZoneScript(bytes).zone;
    const Zone twice = ReadZoneScript(bytes).zone;
    if (!DiffZones(zone, twice).empty()) __builtin_trap();
    if (DescribeZone(zone) != DescribeZone(twice)) __builtin_trap();
    // Against nothing: every part of it is a change, and none is lost.
    const ZoneChanges all = DiffZones(Zone{}, zone);
    if (all.empty() != DescribeZone(zone).empty()) __builtin_trap();
    // Made a map, where it is a zone script: whatever it cannot hold is a finding.
    const ZoneMap map = MapFromZoneScript(bytes, "velt-ground-codes.png");
    if (map.isZoneScript == map.tmx.empty()) __builtin_trap();
    return 0;
}
