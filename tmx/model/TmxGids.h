#pragma once

#include <cstddef>
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

// A global tile id in 16 bits: the three flip flags on top, the tile's number
// below them. Holds every id whose number is below 8192.
struct TmxNarrowGid {
    uint16_t bits;

    static constexpr uint32_t kFlags = 0xE0000000u;
    static constexpr uint32_t kNumber = 0x1FFFu;
    static constexpr bool Fits(uint32_t gid) { return (gid & ~(kFlags | kNumber)) == 0; }
    // For an id that fits: its flags and number stand in bits the other
    // half leaves clear.
    static constexpr TmxNarrowGid From(uint32_t gid) {
        return {static_cast<uint16_t>(gid | gid >> 16)};
    }
    constexpr operator uint32_t() const {
        return (uint32_t{bits} << 16 & kFlags) | (uint32_t{bits} & kNumber);
    }
};

// The global tile ids of a chunk as read, from its first cell on. Where a
// decoder streams them in (compressed data), they are kept in 16 bits for as
// long as every one fits, which halves the memory of big maps of a few
// thousand tiles, flipped or not; the first that does not widens them all,
// for good, to 32 bits.
class TmxGids {
  public:
    size_t size() const { return wide_ ? wideIds_.size() : narrowIds_.size(); }
    uint32_t operator[](size_t k) const { return wide_ ? wideIds_[k] : narrowIds_[k]; }

    // visit(ids) with the ids as stored: a `const TmxNarrowGid*` or a
    // `const uint32_t*` to size() of them, each read as a uint32_t.
    template <class Visit>
    decltype(auto) WithIds(Visit&& visit) const {
        return wide_ ? visit(wideIds_.data()) : visit(narrowIds_.data());
    }

    // The ids as 32 bits, `count` of them, for a decoder to write in place;
    // those past what was held are unset. Resizing down drops the last ones.
    uint32_t* Wide(size_t count);
    void push_back(uint32_t gid) {
        Widen();
        wideIds_.push_back(gid);
    }

    // Room for `count` ids that Append fills in order, 16 bits each while
    // they fit. Unwritten room costs no memory until touched.
    void ReserveNarrow(size_t count);
    void Append(const uint32_t* ids, size_t count);

  private:
    void Widen();

    bool wide_ = true;
    std::vector<TmxNarrowGid, UnsetOnResize<TmxNarrowGid>> narrowIds_;
    std::vector<uint32_t, UnsetOnResize<uint32_t>> wideIds_;
};

}  // namespace tmx
