#pragma once

#include <cstdint>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

namespace tmx {

// An allocator whose resize leaves new ids unset: a layer's storage is sized
// once from what its data can hold and then written id by id by the decoder,
// which would otherwise write every cell twice (4 MB of zeros a 1024 x 1024
// layer).
template <class T>
struct UnsetOnResize : std::allocator<T> {
    using std::allocator<T>::allocator;
    template <class U>
    void construct(U*) noexcept {
        // Memory allocated holds such objects already; they keep no value.
        static_assert(std::is_trivially_default_constructible_v<U>);
    }
    template <class U, class... Args>
    void construct(U* at, Args&&... args) {
        std::construct_at(at, std::forward<Args>(args)...);
    }
};

// The global tile ids of a chunk as read. Resizing up leaves the new ones
// unset: whoever grows it writes them.
using TmxGids = std::vector<uint32_t, UnsetOnResize<uint32_t>>;

}  // namespace tmx
