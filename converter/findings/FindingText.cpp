#include "converter/findings/FindingText.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

template <size_t... I>
std::vector<KindInfo> KindsOf(std::index_sequence<I...>) {
    return {{std::variant_alternative_t<I, FindingData>::kName,
             std::variant_alternative_t<I, FindingData>::kSeverity,
             std::variant_alternative_t<I, FindingData>::kAbout}...};
}

}  // namespace

std::string FindingText(const Finding& finding) {
    return std::visit([&](const auto& what) { return what.Words(finding.about); }, finding.what);
}

const char* KindName(const FindingData& what) {
    return std::visit([](const auto& kind) { return kind.kName; }, what);
}

const std::vector<Cell>* CellsOf(const FindingData& what) {
    return std::visit(
        [](const auto& kind) -> const std::vector<Cell>* {
            if constexpr (requires { kind.firstCells; }) {
                return &kind.firstCells;
            } else {
                return nullptr;
            }
        },
        what);
}

std::vector<KindInfo> FindingKinds() {
    std::vector<KindInfo> kinds =
        KindsOf(std::make_index_sequence<std::variant_size_v<FindingData>>());
    // Kinds that share a name (a path's points and an object outside the zone) count once.
    const auto sameName = [](const KindInfo& a, const KindInfo& b) {
        return std::strcmp(a.name, b.name) == 0;
    };
    for (size_t i = 0; i < kinds.size(); ++i) {
        kinds.erase(
            std::remove_if(kinds.begin() + static_cast<ptrdiff_t>(i) + 1, kinds.end(),
                           [&](const KindInfo& other) { return sameName(kinds[i], other); }),
            kinds.end());
    }
    return kinds;
}
