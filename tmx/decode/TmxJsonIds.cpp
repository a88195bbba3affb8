#include "tmx/decode/TmxJsonIds.h"

#include <cstddef>
#include <cstring>

namespace tmx {
namespace {

bool IsJsonSpace(char c) {
    return c == ' ' || c == '\n' || c == '\r' || c == '\t';
}

// More digits may not fit 64 bits, which the parser reads otherwise.
constexpr ptrdiff_t kMostDigits = 19;

}  // namespace

bool ReadJsonIdArray(const char* from, const char* to, std::vector<uint32_t>& ids) {
    const size_t before = ids.size();
    // The "]" at `to` ends every run below: no other bound is needed.
    const char* p = from;
    while (IsJsonSpace(*p))
        ++p;
    for (;;) {
        const char* const digits = p;
        uint64_t value = 0;
        for (auto digit = static_cast<unsigned char>(*p - '0'); digit < 10;
             digit = static_cast<unsigned char>(*++p - '0')) {
            value = value * 10 + digit;
        }
        const auto count = p - digits;
        if (count == 0 || count > kMostDigits || (*digits == '0' && count > 1)) break;
        ids.push_back(static_cast<uint32_t>(value));
        while (IsJsonSpace(*p))
            ++p;
        if (*p != ',') {
            if (p == to) return true;
            break;
        }
        ++p;
        while (IsJsonSpace(*p))
            ++p;
    }
    ids.resize(before);
    return false;
}

int32_t BlankKeepingLines(char* from, char* const to) {
    // In bulk: a map writes its ids on one line, or a line for each row.
    int32_t lines = 0;
    for (;;) {
        auto* const feed =
            static_cast<char*>(std::memchr(from, '\n', static_cast<size_t>(to - from)));
        char* const lineEnd = feed != nullptr ? feed : to;
        for (char* p = from; p != lineEnd;) {
            auto* const ret =
                static_cast<char*>(std::memchr(p, '\r', static_cast<size_t>(lineEnd - p)));
            char* const blankEnd = ret != nullptr ? ret : lineEnd;
            std::memset(p, ' ', static_cast<size_t>(blankEnd - p));
            p = ret != nullptr ? ret + 1 : lineEnd;
        }
        if (feed == nullptr) return lines;
        ++lines;
        from = feed + 1;
    }
}

}  // namespace tmx
