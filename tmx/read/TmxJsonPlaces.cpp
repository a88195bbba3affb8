#include "tmx/read/TmxJsonPlaces.h"

#include <cstring>
#include <vector>

#include "tmx/decode/TmxJsonIds.h"
#include "tmx/decode/TmxPrescan.h"

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

// Whether a value under `key` can hold what a path names: what is under
// any other key is passed over without a path, so that deep nesting there
// costs no long paths.
bool NamesPaths(const std::string& key) {
    for (const char* named :
         {"layers", "objects", "properties", "tilesets", "patterns", "object", "chunks", "data"}) {
        if (key == named) return true;
    }
    return false;
}

struct Container {
    bool isArray = false;
    bool passed = false;  // under a key that names no path
    std::string path;
    size_t index = 0;       // of the element being read, in an array
    bool expectKey = true;  // in an object: the next string is a key
    std::string key;        // in an object: the key of the value being read
};

// Whether `path` is where the reader takes a layer's ids: "/layers/N",
// within groups "/layers/N/layers/M", then "/data" or "/chunks/K/data".
bool IsLayerData(std::string_view path) {
    const auto index = [&](std::string_view step) {
        if (path.substr(0, step.size()) != step) return false;
        path.remove_prefix(step.size());
        size_t digits = 0;
        while (digits < path.size() && path[digits] >= '0' && path[digits] <= '9')
            ++digits;
        path.remove_prefix(digits);
        return digits > 0;
    };
    if (!index("/layers/")) return false;
    while (index("/layers/")) {
    }
    index("/chunks/");
    return path == "/data";
}

}  // namespace

TmxJsonPlaces::TmxJsonPlaces(std::string_view text) {
    Walk(text.data(), text.size(), nullptr);
}

TmxJsonPlaces::TmxJsonPlaces(char* text, size_t size) {
    Walk(text, size, text);
}

void TmxJsonPlaces::Walk(const char* const begin, const size_t size, char* const writable) {
    bool lifting = writable != nullptr;
    std::vector<Container> open;
    int32_t line = 1;
    size_t lineStart = 0;
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
                    // The parser's reader would match it once unescaped.
                    if (open.back().key.find('\\') != std::string::npos) lifting = false;
                    open.back().expectKey = false;
                }
                i = end;
                break;
            }
            case '{':
            case '[': {
                std::string path;
                bool record = open.empty();
                bool passed = false;
                if (!open.empty()) {
                    const Container& parent = open.back();
                    passed = parent.passed || (!parent.isArray && !NamesPaths(parent.key));
                    if (!passed) {
                        path = parent.path + "/" +
                               (parent.isArray ? std::to_string(parent.index) : parent.key);
                    }
                    record = passed           ? false
                             : parent.isArray ? HoldsRecords(parent.path)
                                              : path == "/object";
                }
                if (c == '{' && record) {
                    places_.emplace(path,
                                    TmxLocation{line, static_cast<int32_t>(i - lineStart + 1)});
                }
                // The ids of a layer: numbers alone, passed over at once.
                if (c == '[' && !passed && EndsWith(path, "/data")) {
                    const void* close = std::memchr(begin + i, ']', size - i);
                    if (close == nullptr) return;
                    const size_t end = static_cast<size_t>(static_cast<const char*>(close) - begin);
                    if (lifting && IsLayerData(path)) {
                        const auto [at, first] = lifted_.try_emplace(path, Lifted{kNotLifted, 0});
                        // At most one id in two bytes: room for all at once.
                        if (first && ids_.capacity() == 0) ids_.reserve((size - i) / 2 + 1);
                        const size_t before = ids_.size();
                        if (first && ReadJsonIdArray(begin + i + 1, begin + end, ids_)) {
                            at->second = {before, ids_.size() - before};
                            char* const inside = writable + i + 1;
                            const int32_t lines = BlankKeepingLines(inside, writable + end);
                            if (lines > 0) {
                                line += lines;
                                lineStart = end;
                                while (begin[lineStart - 1] != '\n')
                                    --lineStart;
                            }
                            i = end;
                            break;
                        }
                    }
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
                if (open.size() >= static_cast<size_t>(kMaxNesting)) return;
                open.push_back({c == '[', passed, std::move(path), 0, true, {}});
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

bool TmxJsonPlaces::LiftedIds(const std::string& path, std::span<const uint32_t>& ids) const {
    const auto found = lifted_.find(path);
    if (found == lifted_.end() || found->second.first == kNotLifted) return false;
    ids = std::span<const uint32_t>(ids_).subspan(found->second.first, found->second.count);
    return true;
}

}  // namespace tmx
