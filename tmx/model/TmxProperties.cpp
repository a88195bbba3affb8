#include "tmx/model/TmxProperties.h"

namespace tmx {

std::string TmxProperties::ValueOf(const std::string& name) const {
    const auto found = entries_.find(name);
    return found != entries_.end() ? found->second.value : kNoSuchProperty;
}

void TmxProperties::Set(const std::string& name, TmxProperty property) {
    entries_.insert_or_assign(name, std::move(property));
}

const TmxProperty* TmxProperties::Find(const std::string& name) const {
    const auto found = entries_.find(name);
    return found != entries_.end() ? &found->second : nullptr;
}

}  // namespace tmx
