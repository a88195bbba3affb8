#include "tmx/read/TmxJsonPlaces.h"

#include <cstring>
#include <vector>

#include "tmx/decode/TmxJsonIds.h"
#include "tmx/decode/TmxPrescan.h"

namespace tmx {
namespace {

using Node = TmxJsonPlaces::Node;

bool OneOf(std::string_view key, std::initializer_list<std::string_view> names) {
    for (const std::string_view name : names) {
        if (key == name) return true;
    }
    return false;
}

// The key of a child among all nodes' children: its parent, then an
// object's member by its key or an array's element by its index.
std::string ChildKey(Node parent, char tag, std::string_view bytes) {
    std::string key(sizeof parent + 1, tag);
    std::memcpy(key.data(), &parent, sizeof parent);
    return key.append(bytes);
}

std::string MemberKey(Node parent, std::string_view key) {
    return ChildKey(parent, 'k', key);
}

std::string ElementKey(Node parent, size_t index) {
    char bytes[sizeof index];
    std::memcpy(bytes, &index, sizeof index);
    return ChildKey(parent, 'i', std::string_view(bytes, sizeof bytes));
}

// Where a layer's ids may stand: the document, its "layers" and a group's,
// a layer, its "chunks", a chunk.
enum class Kind : uint8_t { Other, Document, Layers, Layer, Chunks, Chunk };

struct Container {
    bool isArray = false;
    Node node = TmxJsonPlaces::kNone;  // none: passed over
    Kind kind = Kind::Other;
    bool holdsRecords = false;  // an array whose objects are records
    size_t index = 0;           // of the element being read, in an array
    bool expectKey = true;      // in an object: the next string is a key
    std::string key;            // in an object: the key of the value being read
};

}  // namespace

TmxJsonPlaces::TmxJsonPlaces(std::string_view text) {
    Walk(text.data(), text.size(), nullptr);
}

TmxJsonPlaces::TmxJsonPlaces(char* text, size_t size) {
    Walk(text, size, text);
}

Node TmxJsonPlaces::Add(const std::string& key, bool isArray) {
    const auto id = static_cast<Node>(nodes_.size());
    if (!children_.try_emplace(key, id).second) return kNone;
    nodes_.push_back({isArray, {}, kNotLifted, 0});
    return id;
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
                const bool isArray = c == '[';
                Container opened{isArray, kNone, Kind::Other, false, 0, true, {}};
                bool record = false;
                bool data = false;  // a "data" array
                if (open.empty()) {
                    if (nodes_.empty()) {  // the document; nothing after it
                        opened.node = kDocument;
                        nodes_.push_back({isArray, {}, kNotLifted, 0});
                        opened.kind = isArray ? Kind::Other : Kind::Document;
                        record = !isArray;
                    }
                } else if (const Container& parent = open.back(); parent.node == kNone) {
                } else if (parent.isArray) {
                    opened.node = Add(ElementKey(parent.node, parent.index), isArray);
                    record = !isArray && parent.holdsRecords;
                    if (!isArray && parent.kind == Kind::Layers) opened.kind = Kind::Layer;
                    if (!isArray && parent.kind == Kind::Chunks) opened.kind = Kind::Chunk;
                } else if (const std::string& key = parent.key;
                           OneOf(key, {"layers", "objects", "properties", "tilesets", "patterns",
                                       "object", "chunks", "data"})) {
                    opened.node = Add(MemberKey(parent.node, key), isArray);
                    const bool atDocument = parent.node == kDocument;
                    record = !isArray && key == "object" && atDocument;
                    opened.holdsRecords =
                        isArray && (OneOf(key, {"layers", "objects", "properties"}) ||
                                    (atDocument && OneOf(key, {"patterns", "tilesets"})));
                    const bool inLayer = parent.kind == Kind::Layer;
                    if (isArray && key == "layers" && (atDocument || inLayer))
                        opened.kind = Kind::Layers;
                    if (isArray && key == "chunks" && inLayer) opened.kind = Kind::Chunks;
                    data = isArray && key == "data";
                }
                if (record && opened.node != kNone) {
                    nodes_[opened.node].place = {line, static_cast<int32_t>(i - lineStart + 1)};
                }
                // The ids of a layer: numbers alone, passed over at once.
                if (data) {
                    const void* close = std::memchr(begin + i, ']', size - i);
                    if (close == nullptr) return;
                    const size_t end = static_cast<size_t>(static_cast<const char*>(close) - begin);
                    const Kind owner = open.back().kind;
                    if (lifting && opened.node != kNone &&
                        (owner == Kind::Layer || owner == Kind::Chunk)) {
                        // At most one id in two bytes: room for all at once.
                        if (ids_.capacity() == 0) ids_.reserve((size - i) / 2 + 1);
                        const size_t before = ids_.size();
                        if (ReadJsonIdArray(begin + i + 1, begin + end, ids_)) {
                            nodes_[opened.node].lifted = before;
                            nodes_[opened.node].count = ids_.size() - before;
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
                open.push_back(std::move(opened));
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

Node TmxJsonPlaces::Member(Node node, std::string_view key) const {
    if (node >= nodes_.size() || nodes_[node].isArray) return kNone;
    const auto found = children_.find(MemberKey(node, key));
    return found != children_.end() ? found->second : kNone;
}

Node TmxJsonPlaces::Element(Node node, size_t index) const {
    if (node >= nodes_.size() || !nodes_[node].isArray) return kNone;
    const auto found = children_.find(ElementKey(node, index));
    return found != children_.end() ? found->second : kNone;
}

Node TmxJsonPlaces::Named(std::string_view path) const {
    Node node = nodes_.empty() ? kNone : kDocument;
    while (!path.empty() && node != kNone) {
        if (path.front() != '/') return kNone;
        path.remove_prefix(1);
        const std::string_view step = path.substr(0, path.find('/'));
        path.remove_prefix(step.size());
        if (nodes_[node].isArray) {
            size_t index = 0;
            for (const char digit : step) {
                if (digit < '0' || digit > '9') return kNone;
                index = index * 10 + static_cast<size_t>(digit - '0');
            }
            node = step.empty() ? kNone : Element(node, index);
        } else {
            node = Member(node, step);
        }
    }
    return node;
}

TmxLocation TmxJsonPlaces::At(Node node) const {
    return node < nodes_.size() ? nodes_[node].place : TmxLocation{};
}

bool TmxJsonPlaces::LiftedIds(Node node, std::span<const uint32_t>& ids) const {
    if (node >= nodes_.size() || nodes_[node].lifted == kNotLifted) return false;
    ids = std::span<const uint32_t>(ids_).subspan(nodes_[node].lifted, nodes_[node].count);
    return true;
}

}  // namespace tmx
