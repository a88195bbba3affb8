#include "tmx/read/TmxJsonPlaces.h"

#include <cstring>
#include <vector>

namespace tmx {
namespace {

bool EndsWith(const std::string& text, std::string_view end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Whether an element of an array at `arrayPath` is a record worth a place.
bool HoldsRecords(const std::string& arrayPath) {
    return EndsWith(arrayPath, "/layers") || EndsWith(arrayPath, "/objects") ||
           EndsWith(arrayPath, "/properties") || arrayPath == "/patterns" ||
           arrayPath == "/tilesets";
}

struct Container {
    bool isArray = false;
    std::string path;
    size_t index = 0;       // of the element being read, in an array
    bool expectKey = true;  // in an object: the next string is a key
    std::string key;        // in an object: the key of the value being read
};

}  // namespace

TmxJsonPlaces::TmxJsonPlaces(std::string_view text) {
    std::vector<Container> open;
    int32_t line = 1;
    size_t lineStart = 0;
    const char* const begin = text.data();
    const size_t size = text.size();
    for (size_t i = 0; i < size; ++i) {
        const char c = begin[i];
        switch (c) {
            case '\n':
                ++line;
                lineStart = i + 1;
                break;
            case '"': {
                // To the closing quote; JSON strings hold no line break.
                size_t end = i + 1;
                for (;;) {
                    const void* quote = std::memchr(begin + end, '"', size - end);
                    if (quote == nullptr) return;
                    end = static_cast<size_t>(static_cast<const char*>(quote) - begin);
                    size_t backslashes = 0;
                    while (begin[end - 1 - backslashes] == '\\')
                        ++backslashes;
                    if (backslashes % 2 == 0) break;
                    ++end;
                }
                if (!open.empty() && !open.back().isArray && open.back().expectKey) {
                    open.back().key.assign(begin + i + 1, end - i - 1);
                    open.back().expectKey = false;
                }
                i = end;
                break;
            }
            case '{':
            case '[': {
                std::string path;
                bool record = open.empty();
                if (!open.empty()) {
                    const Container& parent = open.back();
                    path = parent.path + "/" +
                           (parent.isArray ? std::to_string(parent.index) : parent.key);
                    record = parent.isArray ? HoldsRecords(parent.path) : path == "/object";
                }
                if (c == '{' && record) {
                    places_.emplace(path,
                                    TmxLocation{line, static_cast<int32_t>(i - lineStart + 1)});
                }
                // The ids of a layer: numbers alone, passed over at once.
                if (c == '[' && EndsWith(path, "/data")) {
                    const void* close = std::memchr(begin + i, ']', size - i);
                    if (close == nullptr) return;
                    const size_t end = static_cast<size_t>(static_cast<const char*>(close) - begin);
                    // In bulk: the library's scans, not a loop over each byte.
                    const char* const from = begin + i + 1;
                    const size_t length = end - i - 1;
                    const bool plain = std::memchr(from, '"', length) == nullptr &&
                                       std::memchr(from, '[', length) == nullptr &&
                                       std::memchr(from, '{', length) == nullptr;
                    int32_t lines = 0;
                    const void* lastBreak = nullptr;
                    for (const void* next = std::memchr(from, '\n', length); next != nullptr;
                         next =
                             std::memchr(static_cast<const char*>(next) + 1, '\n',
                                         static_cast<size_t>(from + length -
                                                             static_cast<const char*>(next) - 1))) {
                        ++lines;
                        lastBreak = next;
                    }
                    if (plain) {
                        line += lines;
                        if (lastBreak != nullptr) {
                            lineStart =
                                static_cast<size_t>(static_cast<const char*>(lastBreak) - begin) +
                                1;
                        }
                        i = end;
                        break;
                    }
                }
                open.push_back({c == '[', std::move(path), 0, true, {}});
                break;
            }
            case ']':
            case '}':
                if (!open.empty()) open.pop_back();
                break;
            case ',':
                if (!open.empty()) {
                    if (open.back().isArray) {
                        ++open.back().index;
                    } else {
                        open.back().expectKey = true;
                    }
                }
                break;
            default:
                break;
        }
    }
}

TmxLocation TmxJsonPlaces::At(const std::string& path) const {
    const auto found = places_.find(path);
    return found != places_.end() ? found->second : TmxLocation{};
}

}  // namespace tmx
