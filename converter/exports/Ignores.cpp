#include "converter/exports/Ignores.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "converter/exports/LayerPath.h"
#include "converter/findings/FindingText.h"
#include "converter/findings/Tuning.h"

namespace {

using Element = FindingSubject::Element;

// Where an element stands: the map, a group layer (by index), a layer or
// object group (by stacking order), an object (by group and index).
struct Place {
    int32_t group = -1;
    int32_t order = -1;
    int32_t object = -1;
    auto operator<=>(const Place&) const = default;
};

// One element's velt-ignore.
struct Ignore {
    FindingSubject about;  // the element, as findings name it
    tmx::TmxLocation at;   // of the property
    std::vector<std::string> kinds;
    std::set<std::string> used;
};

// The names a velt-ignore lists, by commas or white space.
std::vector<std::string> NamesIn(const std::string& value) {
    std::vector<std::string> names;
    std::string name;
    for (const char c : value + ",") {
        if (c == ',' || c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            if (!name.empty()) names.push_back(name);
            name.clear();
        } else {
            name += c;
        }
    }
    return names;
}

class Ignores {
  public:
    explicit Ignores(const tmx::TmxMap& map) : map_(map) {
        Collect(map.properties(), {}, {Element::Map, "", 0, "", 0});
        for (size_t i = 0; i < map.groups().size(); ++i) {
            const tmx::TmxGroup& group = map.groups()[i];
            FindingSubject about{Element::Group, GroupPath(map, i), 0, "", group.id};
            Collect(group.properties, {static_cast<int32_t>(i), -1, -1}, about);
        }
        for (const tmx::TmxLayer& layer : map.layers()) {
            const FindingSubject about{Element::Layer,
                                       LayerPath(map, layer.orderIndex(), layer.name()), 0, "",
                                       layer.id()};
            Collect(layer.properties(), {-1, layer.orderIndex(), -1}, about);
        }
        for (const tmx::TmxObjectGroup& group : map.objectGroups()) {
            const std::string path = LayerPath(map, group.orderIndex(), group.name());
            Collect(group.properties(), {-1, group.orderIndex(), -1},
                    {Element::ObjectGroup, path, 0, "", group.id()});
            for (size_t i = 0; i < group.objects().size(); ++i) {
                const tmx::TmxObject& object = group.objects()[i];
                Collect(object.properties(), {-1, group.orderIndex(), static_cast<int32_t>(i)},
                        {Element::Object, path, object.id(), object.name(), group.id()});
            }
        }
    }

    bool empty() const { return ignores_.empty(); }

    // Whether an element holding `finding` silences it.
    bool Silences(const Finding& finding) {
        const char* kind = KindName(finding.what);
        const FindingSubject& about = finding.about;
        if (about.element == Element::ZoneLine) return false;
        std::vector<Place> places{{}};
        for (int32_t g = about.group; g >= 0; g = map_.groups()[static_cast<size_t>(g)].parent)
            places.push_back({g, -1, -1});
        if (about.order >= 0) {
            for (size_t g = 0; g < map_.groups().size(); ++g) {
                const tmx::TmxGroup& group = map_.groups()[g];
                if (about.order >= group.firstOrder && about.order < group.endOrder)
                    places.push_back({static_cast<int32_t>(g), -1, -1});
            }
            places.push_back({-1, about.order, -1});
            if (about.objectIndex >= 0) places.push_back({-1, about.order, about.objectIndex});
        }
        bool silenced = false;
        for (const Place& place : places) {
            const auto found = ignores_.find(place);
            if (found == ignores_.end()) continue;
            Ignore& ignore = found->second;
            if (std::find(ignore.kinds.begin(), ignore.kinds.end(), kind) == ignore.kinds.end())
                continue;
            ignore.used.insert(kind);
            silenced = true;
        }
        return silenced;
    }

    // ignore-unknown for each name that is no kind, ignore-unused for each
    // kind that silenced nothing.
    void Report(Findings& findings) const {
        std::set<std::string> known;
        for (const KindInfo& kind : FindingKinds())
            known.insert(kind.name);
        const std::string list = Tuning::KindsInWords();
        for (const auto& [place, ignore] : ignores_) {
            for (const std::string& kind : ignore.kinds) {
                if (known.count(kind) == 0) {
                    findings.push_back(
                        FindingOf(finding::IgnoreUnknown{kIgnoreProperty, kind, list}, ignore.at,
                                  ignore.about));
                } else if (ignore.used.count(kind) == 0) {
                    findings.push_back(FindingOf(finding::IgnoreUnused{kIgnoreProperty, kind},
                                                 ignore.at, ignore.about));
                }
            }
        }
    }

  private:
    void Collect(const tmx::TmxProperties& properties, Place place, FindingSubject about) {
        const tmx::TmxProperty* property = properties.Find(kIgnoreProperty);
        if (property == nullptr) return;
        ignores_[place] = {std::move(about), property->at, NamesIn(property->value), {}};
    }

    const tmx::TmxMap& map_;
    std::map<Place, Ignore> ignores_;
};

}  // namespace

void ApplyIgnores(const tmx::TmxMap& map, Findings& findings) {
    Ignores ignores(map);
    if (ignores.empty()) return;
    findings.erase(
        std::remove_if(findings.begin(), findings.end(),
                       [&](const Finding& finding) { return ignores.Silences(finding); }),
        findings.end());
    ignores.Report(findings);
}
