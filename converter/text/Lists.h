#pragma once

// Lists in words: "a", "a and b", "a, b and c", and where more were counted
// than are shown, "a, b and 3 more".

#include <cstdint>
#include <iterator>
#include <string>

// How the last item shown joins the others: "a, b and c", or "a, b, c" for
// lists whose items say their own parts.
enum class LastJoin { And, Comma };

// `items` by `words` each; `count` of them there were in all.
template <class Items, class Words>
std::string Listed(const Items& items, int64_t count, Words words, LastJoin last = LastJoin::And) {
    const auto shown = static_cast<int64_t>(std::size(items));
    std::string text;
    int64_t i = 0;
    for (const auto& item : items) {
        const bool isLast = i + 1 == shown && count <= shown && last == LastJoin::And;
        text.append(i == 0 ? "" : isLast ? " and " : ", ").append(words(item));
        ++i;
    }
    if (count > shown) text.append(" and ").append(std::to_string(count - shown)).append(" more");
    return text;
}

// All of `items`, as they are all shown.
template <class Items, class Words>
std::string Listed(const Items& items, Words words) {
    return Listed(items, static_cast<int64_t>(std::size(items)), words);
}
