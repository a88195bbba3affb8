#include "tmx/decode/TmxLiftedTexts.h"

#include <tinyxml.h>

#include <array>
#include <cctype>
#include <cstring>

namespace tmx {
namespace {

constexpr char kMark = '\x01';

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
            looked[c] = c == 0 || c == static_cast<size_t>(kMark) || c >= 0x80;
        return looked;
    }();
    for (auto p = reinterpret_cast<const unsigned char*>(text);; ++p) {
        while (!kLooked[*p])
            ++p;
        if (*p == 0) return true;
        if (*p == kMark) return false;
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
        const char* lastBreak = nullptr;
        std::string breaks;
        for (; kPlain[static_cast<unsigned char>(*end)]; ++end) {
            if (*end == '\n' || *end == '\r') {
                // The parser counts "\r\n" and "\n\r" as one line break: breaks
                // apart stay apart.
                if (lastBreak != nullptr && lastBreak + 1 != end) breaks += ' ';
                breaks += *end;
                lastBreak = end;
            }
        }
        if (*end != '<') continue;  // not plain text, or the document ends in it
        std::string condensed = CondensedText({p, static_cast<size_t>(end - p)});
        if (condensed.empty()) continue;  // TinyXML keeps no blank text
        const std::string mark = kMark + std::to_string(lifted.texts.size());
        // Line breaks as they were, then as many bytes as the last line had:
        // what follows keeps its line and column.
        const size_t last = static_cast<size_t>(end - (lastBreak ? lastBreak + 1 : p));
        if (lastBreak == nullptr && last < mark.size()) continue;
        document.append(copied, p);
        document += mark;
        document += breaks;
        document.append(lastBreak ? last : last - mark.size(), ' ');
        copied = end;
        lifted.texts.push_back(std::move(condensed));
        p = end;
    }
    if (lifted.texts.empty()) return {};
    document += copied;
    return lifted;
}

std::string* LiftedText(TmxLiftedTexts& lifted, const std::string& value) {
    if (value.size() < 2 || value[0] != kMark) return nullptr;
    size_t index = 0;
    for (size_t i = 1; i < value.size(); ++i)
        index = index * 10 + static_cast<size_t>(value[i] - '0');
    return index < lifted.texts.size() ? &lifted.texts[index] : nullptr;
}

}  // namespace tmx
