#include "tmx/decode/TmxLiftedTexts.h"

#include <tinyxml.h>

#include <array>
#include <cctype>
#include <cstdint>
#include <cstring>

#include "tmx/decode/TmxNumbers.h"

namespace tmx {
namespace {

constexpr char kMark = '\x01';       // a text's
constexpr char kTilesMark = '\x02';  // a list of tiles'

// TinyXML's white space: isspace's, in the C locale.
constexpr bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// The bytes a lifted text may hold: TinyXML takes each as it stands.
constexpr std::array<bool, 256> kPlain = [] {
    std::array<bool, 256> plain{};
    for (int c = 0x20; c < 0x7f; ++c)
        plain[static_cast<size_t>(c)] = c != '<' && c != '&';
    for (char c = '\t'; c <= '\r'; ++c)
        plain[static_cast<size_t>(c)] = true;
    return plain;
}();

// What ends a run of bytes in a tag: a quote, ">" or the end.
constexpr std::array<bool, 256> kQuotesAndEnds = [] {
    std::array<bool, 256> stops{};
    for (const char c : {'"', '\'', '>', '\0'})
        stops[static_cast<unsigned char>(c)] = true;
    return stops;
}();

// The ">" that ends the tag whose name starts at `p`, outside quoted values;
// nullptr when the text ends first.
const char* TagEnd(const char* p) {
    for (;; ++p) {
        while (!kQuotesAndEnds[static_cast<unsigned char>(*p)])
            ++p;
        if (*p == '>') return p;
        if (*p == '\0') return nullptr;
        const char quote = *p;
        while (*++p != quote) {
            if (*p == '\0') return nullptr;
        }
    }
}

// Whether the tag at `p` (its name) is `name` with content: not "<name/>".
template <size_t kLength>
bool Opens(const char* p, const char* close, const char (&name)[kLength]) {
    if (std::strncmp(p, name, kLength - 1) != 0) return false;
    const char after = p[kLength - 1];
    return (IsSpace(after) || after == '>' || after == '/') && close[-1] != '/';
}

// The line breaks of what is lifted, for the parser to count again. It counts
// "\r\n" and "\n\r" as one line break: such breaks apart stay apart.
struct Breaks {
    std::string kept;
    const char* last = nullptr;  // the last one's place in the document

    void Add(const char* at) {
        if (last != nullptr && last + 1 != at && *last != *at) kept += ' ';
        kept += *at;
        last = at;
    }
};

// Whether the C string `p` starts with `prefix`: compared a byte at a time,
// never past the string's end.
template <size_t kLength>
bool StartsWith(const char* p, const char (&prefix)[kLength]) {
    for (size_t i = 0; i + 1 < kLength; ++i) {
        if (p[i] != prefix[i]) return false;
    }
    return true;
}

// The gids of a run of tiles from `p` (at a "<") as Tiled writes them, up to
// an end tag and with the white space between; nullptr where it holds
// anything else, which the parser then reads.
const char* TileList(const char* p, std::vector<uint32_t>& gids, Breaks& breaks) {
    while (StartsWith(p, "<tile")) {
        p += 5;
        uint32_t gid = 0;
        if (StartsWith(p, " gid=\"")) {
            const char* const digits = p + 6;
            uint64_t value = 0;
            for (p = digits; *p >= '0' && *p <= '9'; ++p)
                value = value * 10 + static_cast<uint64_t>(*p - '0');
            if (p == digits || *p != '"') return nullptr;
            // As the attribute would be read: up to 19 digits fit in 64 bits,
            // of which the gid keeps the low 32.
            if (p - digits <= 19) {
                gid = static_cast<uint32_t>(value);
            } else {
                ScanUnsignedAt(digits, p, gid);
            }
            ++p;
        }
        if (p[0] != '/' || p[1] != '>') return nullptr;
        gids.push_back(gid);
        for (p += 2; IsSpace(*p); ++p) {
            if (*p == '\n' || *p == '\r') breaks.Add(p);
        }
    }
    return p[0] == '<' && p[1] == '/' && !gids.empty() ? p : nullptr;
}

// Copies the document from `copied` up to `from` into `document`, then `mark`
// for the bytes from `from` to `to`: their line breaks, then as many bytes as
// their last line had, so that what follows keeps its line and column. False,
// and nothing copied, when they are one line shorter than the mark.
bool PutMark(std::string& document, const char* copied, const std::string& mark, const char* from,
             const char* to, const Breaks& breaks) {
    const size_t last = static_cast<size_t>(to - (breaks.last ? breaks.last + 1 : from));
    if (breaks.last == nullptr && last < mark.size()) return false;
    document.append(copied, from);
    document += mark;
    document += breaks.kept;
    document.append(breaks.last ? last : last - mark.size(), ' ');
    return true;
}

// The number a mark of `byte` holds in `value`; past any list when `value`
// is no such mark.
size_t MarkIndex(const std::string& value, char byte) {
    if (value.size() < 2 || value[0] != byte) return SIZE_MAX;
    size_t index = 0;
    for (size_t i = 1; i < value.size(); ++i)
        index = index * 10 + static_cast<size_t>(value[i] - '0');
    return index;
}

// Whether the walk below and TinyXML see the same markup in `text`: it holds
// no mark's byte, and every byte TinyXML takes for the lead of a UTF-8
// sequence is followed by as many bytes past ASCII as the sequence claims
// (TinyXML takes them whatever they are: a "<" or a quote among them would be
// text to it and markup to the walk).
bool ReadAlike(const char* text) {
    // The bytes to look at: the end, the mark's, and all past ASCII.
    static constexpr std::array<bool, 256> kLooked = [] {
        std::array<bool, 256> looked{};
        for (size_t c = 0; c < 256; ++c)
            looked[c] = c == 0 || c == static_cast<size_t>(kMark) ||
                        c == static_cast<size_t>(kTilesMark) || c >= 0x80;
        return looked;
    }();
    for (auto p = reinterpret_cast<const unsigned char*>(text);; ++p) {
        while (!kLooked[*p])
            ++p;
        if (*p == 0) return true;
        if (*p == kMark || *p == kTilesMark) return false;
        for (int i = 1; i < TiXmlBase::utf8ByteTable[*p]; ++i) {
            if (p[i] < 0x80) return false;
        }
    }
}

}  // namespace

std::string CondensedText(std::string_view text) {
    std::string condensed;
    condensed.reserve(text.size());
    const char* p = text.data();
    const char* const end = p + text.size();
    // A word at a time: a base64 text is one, a CSV row another.
    while (true) {
        while (p < end && IsSpace(*p))
            ++p;
        const char* word = p;
        while (p < end && !IsSpace(*p))
            ++p;
        if (word == p) return condensed;
        if (!condensed.empty()) condensed += ' ';
        condensed.append(word, p);
    }
}

TmxLiftedTexts LiftLayerTexts(const char* text) {
    TmxLiftedTexts lifted;
    if (!ReadAlike(text)) return lifted;
    std::string& document = lifted.document;
    const char* copied = text;  // what is before it is in `document`
    for (const char* p = std::strchr(text, '<'); p != nullptr; p = std::strchr(p, '<')) {
        const char* close = nullptr;
        bool opens = false;
        if (p[1] == '!' && std::strncmp(p, "<!--", 4) == 0) {
            close = std::strstr(p + 4, "-->");
            if (close != nullptr) close += 2;
        } else if (p[1] == '!' && std::strncmp(p, "<![CDATA[", 9) == 0) {
            close = std::strstr(p + 9, "]]>");
            if (close != nullptr) close += 2;
        } else if (p[1] == '/') {
            close = std::strchr(p, '>');
        } else {
            close = TagEnd(p + 1);
            const bool element = std::isalpha(static_cast<unsigned char>(p[1])) || p[1] == '_' ||
                                 static_cast<unsigned char>(p[1]) >= 0x7f;
            // TinyXML ends other markup at its first ">": where quotes would
            // end it elsewhere, this scan and the parser could part ways.
            if (!element && close != std::strchr(p, '>')) return {};
            opens = element && close != nullptr &&
                    ((p[1] == 'd' && Opens(p + 1, close, "data")) ||
                     (p[1] == 'c' && Opens(p + 1, close, "chunk")));
        }
        if (close == nullptr) break;
        p = close + 1;
        if (!opens) continue;
        const char* end = p;
        Breaks breaks;
        for (; kPlain[static_cast<unsigned char>(*end)]; ++end) {
            if (*end == '\n' || *end == '\r') breaks.Add(end);
        }
        if (*end != '<') continue;  // not plain text, or the document ends in it
        std::string condensed = CondensedText({p, static_cast<size_t>(end - p)});
        if (condensed.empty()) {
            // TinyXML keeps no blank text: the content may be tiles.
            std::vector<uint32_t> gids;
            const char* const after = TileList(end, gids, breaks);
            if (after == nullptr) continue;
            if (!PutMark(document, copied, kTilesMark + std::to_string(lifted.tiles.size()), p,
                         after, breaks))
                continue;
            lifted.tiles.push_back(std::move(gids));
            copied = p = after;
            continue;
        }
        if (!PutMark(document, copied, kMark + std::to_string(lifted.texts.size()), p, end, breaks))
            continue;
        lifted.texts.push_back(std::move(condensed));
        copied = p = end;
    }
    if (lifted.texts.empty() && lifted.tiles.empty()) return {};
    document += copied;
    return lifted;
}

std::string* LiftedText(TmxLiftedTexts& lifted, const std::string& value) {
    const size_t index = MarkIndex(value, kMark);
    return index < lifted.texts.size() ? &lifted.texts[index] : nullptr;
}

std::vector<uint32_t>* LiftedTiles(TmxLiftedTexts& lifted, const std::string& value) {
    const size_t index = MarkIndex(value, kTilesMark);
    return index < lifted.tiles.size() ? &lifted.tiles[index] : nullptr;
}

}  // namespace tmx
