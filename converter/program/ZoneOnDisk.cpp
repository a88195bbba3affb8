#include "converter/program/ZoneOnDisk.h"

#include <algorithm>
#include <utility>

#include "converter/review/ZoneChangeText.h"
#include "converter/review/ZoneDiff.h"
#include "converter/zone/ZoneReader.h"
#include "platform/FileText.h"
#include "platform/Files.h"

namespace {

// How many changes a stale zone script's finding words; the rest it counts.
constexpr size_t kChangesWorded = 3;

}  // namespace

std::optional<Finding> CompareWithDisk(const std::string& script, const Zone& zone,
                                       const std::string& bytes, tmx::TmxLocation at) {
    if (!platform::Exists(script)) return FindingOf(finding::ZoneScriptMissing{script}, at);
    using Stale = finding::ZoneScriptStale;
    Stale stale{Stale::Why::Changed, script, {}, 0, ""};
    platform::FileText file = platform::ReadFileText(script, 0);
    if (!file.problem.empty() && file.problem != "The file is empty.") {
        stale.why = Stale::Why::Unreadable;
        stale.reason = file.problem;
        return FindingOf(std::move(stale), at);
    }
    if (file.text == bytes) return std::nullopt;
    const ZoneRead read = ReadZoneScript(file.text);
    if (read.linesRead == 0) {
        stale.why = Stale::Why::NotAZoneScript;
        return FindingOf(std::move(stale), at);
    }
    std::vector<std::string> changes = ChangeWords(DiffZones(read.zone, zone), true);
    if (changes.empty()) {
        stale.why = Stale::Why::SameZone;
        return FindingOf(std::move(stale), at);
    }
    stale.changes = static_cast<int64_t>(changes.size());
    changes.resize(std::min(changes.size(), kChangesWorded));
    stale.firstChanges = std::move(changes);
    return FindingOf(std::move(stale), at);
}
