#include "tmx/model/TmxGids.h"

#include <algorithm>

namespace tmx {

uint32_t* TmxGids::Wide(size_t count) {
    Widen();
    wideIds_.resize(count);
    return wideIds_.data();
}

void TmxGids::ReserveNarrow(size_t count) {
    wide_ = false;
    wideIds_ = {};
    narrowIds_.clear();
    narrowIds_.reserve(count);
}

void TmxGids::Widen() {
    if (wide_) return;
    wideIds_.reserve(narrowIds_.capacity());
    wideIds_.resize(narrowIds_.size());
    std::copy(narrowIds_.begin(), narrowIds_.end(), wideIds_.begin());
    narrowIds_ = {};
    wide_ = true;
}

void TmxGids::Append(const uint32_t* ids, size_t count) {
    if (!wide_) {
        // Stored narrow as they are checked, in one pass that vectorizes;
        // undone when one does not fit.
        const size_t at = narrowIds_.size();
        narrowIds_.resize(at + count);
        TmxNarrowGid* out = narrowIds_.data() + at;
        uint32_t all = 0;
        for (size_t i = 0; i < count; ++i) {
            all |= ids[i];
            out[i] = TmxNarrowGid::From(ids[i]);
        }
        if (TmxNarrowGid::Fits(all)) return;
        narrowIds_.resize(at);
        Widen();
    }
    wideIds_.insert(wideIds_.end(), ids, ids + count);
}

}  // namespace tmx
