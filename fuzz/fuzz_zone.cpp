// Zone scripts read back, described, compared and made maps: no input crashes
// them, the same bytes read twice are the same zone with the same
// description, and compared with an empty zone, a zone with anything to
// describe has changes.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "ZoneDescribe.h"
#include "ZoneDiff.h"
#include "ZoneScriptReader.h"
#include "ZoneToMap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Findings findings;
    const ZoneContent zone = ReadZoneScript(bytes, findings);
    Findings again;
    const ZoneContent twice = ReadZoneScript(bytes, again);
    if (!DiffZones(zone, twice).empty()) __builtin_trap();
    if (DescribeZone(zone) != DescribeZone(twice)) __builtin_trap();
    // Against nothing: every part of it is a change, and none is lost.
    const ZoneChanges all = DiffZones(ZoneContent{}, zone);
    if (all.empty() != DescribeZone(zone).empty()) __builtin_trap();
    // Made a map: whatever it cannot hold is a finding.
    if (MapFromZoneScript(bytes, "velt-ground-codes.png").tmx.empty()) __builtin_trap();
    return 0;
}
