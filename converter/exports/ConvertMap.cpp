#include "converter/exports/ConvertMap.h"

#include <algorithm>
#include <iterator>

#include "converter/exports/Exports.h"
#include "converter/exports/Ignores.h"
#include "converter/exports/LayerPath.h"
#include "converter/zone/ZoneWalk.h"

namespace {

// The loader's findings about `map`, about the layer or object group at
// their place in the stacking order.
Findings FindingsOfLoad(const tmx::TmxMap& map) {
    using Element = FindingSubject::Element;
    Findings findings;
    findings.reserve(map.findings().size());
    for (const tmx::TmxFinding& found : map.findings()) {
        FindingSubject about{Element::Layer, LayerPath(map, found.order, found.layer),
                             found.objectId, "", 0};
        about.order = found.order;
        for (const tmx::TmxLayer& layer : map.layers()) {
            if (layer.orderIndex() == found.order) about.layerId = layer.id();
        }
        for (const tmx::TmxObjectGroup& group : map.objectGroups()) {
            if (group.orderIndex() != found.order) continue;
            about.layerId = group.id();
            for (size_t i = 0; i < group.objects().size(); ++i) {
                if (group.objects()[i].location().line == found.at.line &&
                    group.objects()[i].location().column == found.at.column)
                    about.objectIndex = static_cast<int32_t>(i);
            }
        }
        if (const auto* data = std::get_if<tmx::TmxLayerDataProblem>(&found.problem)) {
            findings.push_back(FindingOf(finding::LayerData{*data}, found.at, about));
        } else if (const auto* problem = std::get_if<tmx::TmxTemplateProblem>(&found.problem)) {
            about.element = Element::Object;
            findings.push_back(FindingOf(finding::Template{*problem}, found.at, about));
        }
    }
    return findings;
}

// Findings made from the zone name an object by its id alone: the rest of
// what names it (its group's path and place, its index, its name) comes from
// the map, so that its velt-ignore silences them as it does the others.
void NameObjects(const tmx::TmxMap& map, Findings& findings) {
    for (Finding& finding : findings) {
        FindingSubject& about = finding.about;
        if (about.element != FindingSubject::Element::Object || about.order >= 0) continue;
        for (const tmx::TmxObjectGroup& group : map.objectGroups()) {
            const auto& objects = group.objects();
            const auto object = std::find_if(
                objects.begin(), objects.end(),
                [&](const tmx::TmxObject& candidate) { return candidate.id() == about.objectId; });
            if (object == objects.end()) continue;
            about = {FindingSubject::Element::Object,
                     LayerPath(map, group.orderIndex(), group.name()),
                     object->id(),
                     object->name(),
                     group.id(),
                     group.orderIndex(),
                     -1,
                     static_cast<int32_t>(object - objects.begin())};
            break;
        }
    }
}

}  // namespace

ConvertedMap ConvertMap(const tmx::TmxMap& map, const GameTables* tables) {
    ConvertedMap converted{{}, FindingsOfLoad(map)};
    ExportMapProperties(map, converted.zone, converted.findings);
    ExportTileLayers(map, converted.zone, converted.findings,
                     tables != nullptr ? tables->ground.get() : nullptr);
    ExportObjectGroups(map, converted.zone, converted.findings,
                       tables != nullptr ? tables->mobs.get() : nullptr);
    if (tables != nullptr) {
        Findings walk = WalkFindings(converted.zone, *tables, map.location());
        NameObjects(map, walk);
        converted.findings.insert(converted.findings.end(), std::make_move_iterator(walk.begin()),
                                  std::make_move_iterator(walk.end()));
    }
    ApplyIgnores(map, converted.findings);
    return converted;
}
