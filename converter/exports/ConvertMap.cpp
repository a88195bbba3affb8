#include "converter/exports/ConvertMap.h"

#include "converter/exports/Exports.h"
#include "converter/exports/Ignores.h"
#include "converter/exports/LayerPath.h"

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

}  // namespace

ConvertedMap ConvertMap(const tmx::TmxMap& map, const GameTables* tables) {
    ConvertedMap converted{{}, FindingsOfLoad(map)};
    ExportMapProperties(map, converted.zone, converted.findings);
    ExportTileLayers(map, converted.zone, converted.findings,
                     tables != nullptr ? tables->ground.get() : nullptr);
    ExportObjectGroups(map, converted.zone, converted.findings,
                       tables != nullptr ? tables->mobs.get() : nullptr);
    ApplyIgnores(map, converted.findings);
    return converted;
}
