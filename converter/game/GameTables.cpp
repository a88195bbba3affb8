#include "converter/game/GameTables.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <utility>

MobTable::MobTable(std::string file, std::vector<MobKind> mobs)
    : file_(std::move(file)), mobs_(std::move(mobs)) {
    std::sort(mobs_.begin(), mobs_.end(),
              [](const MobKind& a, const MobKind& b) { return a.number < b.number; });
}

const std::string* MobTable::NameOf(int32_t number) const {
    const auto at =
        std::lower_bound(mobs_.begin(), mobs_.end(), number,
                         [](const MobKind& mob, int32_t key) { return mob.number < key; });
    return at != mobs_.end() && at->number == number ? &at->name : nullptr;
}

namespace {

// Every number one slip of the keyboard from `number`'s digits: one left
// out, one put in, one changed, two neighbours swapped.
std::vector<int64_t> OneDigitAway(int32_t number) {
    const std::string digits = std::to_string(number);
    std::vector<std::string> texts;
    for (size_t i = 0; i + 1 < digits.size(); ++i) {
        std::string swapped = digits;
        std::swap(swapped[i], swapped[i + 1]);
        texts.push_back(swapped);
    }
    for (size_t i = 0; i < digits.size(); ++i) {
        texts.push_back(digits.substr(0, i) + digits.substr(i + 1));
        for (char d = '0'; d <= '9'; ++d) {
            if (d != digits[i]) texts.push_back(digits.substr(0, i) + d + digits.substr(i + 1));
        }
    }
    for (size_t i = 0; i <= digits.size(); ++i)
        for (char d = '0'; d <= '9'; ++d)
            texts.push_back(digits.substr(0, i) + d + digits.substr(i));
    std::vector<int64_t> numbers;
    for (const std::string& text : texts) {
        int64_t value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (!text.empty() && error == std::errc() && end == text.data() + text.size()) {
            numbers.push_back(value);
        }
    }
    return numbers;
}

}  // namespace

std::vector<MobKind> MobTable::Nearest(int32_t number, size_t count) const {
    std::vector<MobKind> nearest;
    const auto take = [&](const MobKind& mob) {
        if (nearest.size() < count && mob.number != number &&
            std::none_of(nearest.begin(), nearest.end(),
                         [&](const MobKind& taken) { return taken.number == mob.number; })) {
            nearest.push_back(mob);
        }
    };
    std::vector<MobKind> slips;
    for (const int64_t near : OneDigitAway(number)) {
        if (near < INT32_MIN || near > INT32_MAX) continue;
        if (const std::string* name = NameOf(static_cast<int32_t>(near))) {
            slips.push_back({static_cast<int32_t>(near), *name});
        }
    }
    std::sort(slips.begin(), slips.end(), [&](const MobKind& a, const MobKind& b) {
        return std::llabs(int64_t{a.number} - number) < std::llabs(int64_t{b.number} - number);
    });
    for (const MobKind& mob : slips)
        take(mob);
    // Then outwards from where it would stand, the nearer side first.
    auto above = std::lower_bound(mobs_.begin(), mobs_.end(), number,
                                  [](const MobKind& mob, int32_t key) { return mob.number < key; });
    auto below = above;
    while (nearest.size() < count && (below != mobs_.begin() || above != mobs_.end())) {
        const bool goDown = above == mobs_.end() ||
                            (below != mobs_.begin() && int64_t{number} - (below - 1)->number <=
                                                           int64_t{above->number} - number);
        if (goDown) {
            take(*--below);
        } else {
            take(*above++);
        }
    }
    return nearest;
}
