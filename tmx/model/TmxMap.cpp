#include "tmx/model/TmxMap.h"

#include <algorithm>
#include <memory>

namespace tmx {

void TmxMap::RecordError(TmxLoadError code, std::string message, TmxLocation at) {
    failed_ = true;
    errorCode_ = code;
    errorMessage_ = std::move(message);
    errorLocation_ = at;
}

void TmxMap::SetSourcePath(const std::string& path, const std::string& folder) {
    sourcePath_ = path;
    // A leading "/" alone gives no directory.
    directory_ = folder == "/" ? "" : folder;
}

void TmxMap::SetOrientation(const std::string& name) {
    orientationName_ = name;
    if (name == "orthogonal") orientation_ = TmxOrientation::Orthogonal;
    if (name == "isometric") orientation_ = TmxOrientation::Isometric;
    if (name == "staggered") orientation_ = TmxOrientation::Staggered;
}

TmxObjectAnchor TmxMap::ObjectAnchorOf(int32_t gid) const {
    struct Named {
        const char* name;
        TmxObjectAnchor anchor;
    };
    static constexpr Named kAlignments[] = {
        {"topleft", {0, 0}},    {"top", {1, 0}},    {"topright", {2, 0}},
        {"left", {0, 1}},       {"center", {1, 1}}, {"right", {2, 1}},
        {"bottomleft", {0, 2}}, {"bottom", {1, 2}}, {"bottomright", {2, 2}},
    };
    const int32_t index =
        TilesetIndexFor(static_cast<int32_t>(static_cast<uint32_t>(gid) & kTileIdMask));
    if (index >= 0) {
        const std::string& alignment = tilesets_[static_cast<size_t>(index)].objectAlignment();
        for (const Named& named : kAlignments)
            if (alignment == named.name) return named.anchor;
    }
    return orientation_ == TmxOrientation::Isometric ? TmxObjectAnchor{1, 2} : TmxObjectAnchor{};
}

bool TmxMap::AddTileset(TmxTileset tileset) {
    if (tilesets_.size() == kMaxTilesets) {
        RecordError(TmxLoadError::XmlParseFailed,
                    "The map has more than " + std::to_string(kMaxTilesets) + " tilesets.");
        return false;
    }
    tilesetLookup_.Add(tileset.firstGid(), static_cast<int32_t>(tilesets_.size()));
    visibleTilesets_.reset();
    tilesets_.push_back(std::move(tileset));
    return true;
}

TmxLayer TmxMap::NewLayer() {
    // What the layers read since the last tileset see; shared, not copied.
    if (!visibleTilesets_) visibleTilesets_ = std::make_shared<TmxTilesetLookup>(tilesetLookup_);
    return TmxLayer(*this, visibleTilesets_, cellsLeft_);
}

// A tile layer joins the map once read whole; why tiles of it are missing is
// a finding.
void TmxMap::AddLayer(TmxLayer layer, int32_t& orderIndex) {
    cellsLeft_ -= layer.cellCount();
    layer.setOrderIndex(orderIndex++);
    if (const auto& problem = layer.dataProblem()) {
        AddFinding({layer.location(), layer.orderIndex(), layer.name(), 0, *problem});
    }
    layers_.push_back(std::move(layer));
}

void TmxMap::AddImageLayer(TmxImageLayer layer, int32_t& orderIndex) {
    layer.setOrderIndex(orderIndex++);
    imageLayers_.push_back(std::move(layer));
}

void TmxMap::AddObjectGroup(TmxObjectGroup group, int32_t& orderIndex) {
    group.setOrderIndex(orderIndex++);
    objectGroups_.push_back(std::move(group));
}

size_t TmxMap::BeginGroup(TmxGroup group, int32_t orderIndex) {
    group.firstOrder = orderIndex;
    group.parent = openGroups_.empty() ? -1 : openGroups_.back();
    groups_.push_back(std::move(group));
    openGroups_.push_back(static_cast<int32_t>(groups_.size() - 1));
    return groups_.size() - 1;
}

void TmxMap::EndGroup(size_t group, int32_t orderIndex) {
    groups_[group].endOrder = orderIndex;
    if (!openGroups_.empty()) openGroups_.pop_back();
}

void TmxMap::AddFinding(TmxFinding finding) {
    const auto after = std::upper_bound(
        findings_.begin(), findings_.end(), finding.order,
        [](int32_t order, const TmxFinding& other) { return order < other.order; });
    findings_.insert(after, std::move(finding));
}

}  // namespace tmx
