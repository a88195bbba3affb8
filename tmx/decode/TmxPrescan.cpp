#include "tmx/decode/TmxPrescan.h"

#include <array>
#include <cstring>

namespace tmx {
namespace {

// What ends a run of bytes in a start tag: a quote, '=', '>' or the end.
constexpr std::array<bool, 256> kTagStops = [] {
    std::array<bool, 256> stops{};
    for (const char c : {'"', '\'', '=', '>', '\0'})
        stops[static_cast<unsigned char>(c)] = true;
    return stops;
}();

}  // namespace

std::string PrescanXml(const char* text) {
    int depth = 0;
    for (const char* p = std::strchr(text, '<'); p != nullptr; p = std::strchr(p, '<')) {
        const char next = p[1];
        const char* close = nullptr;
        if (std::strncmp(p, "<!--", 4) == 0) {
            close = std::strstr(p + 4, "-->");
        } else if (std::strncmp(p, "<![CDATA[", 9) == 0) {
            close = std::strstr(p + 9, "]]>");
        } else if (next == '/') {
            if (depth > 0) --depth;
            close = std::strchr(p, '>');
        } else if (next == '!' || next == '?') {
            close = std::strchr(p + 1, '>');
        } else {
            // An element start tag, or what TinyXML may take for one (any byte
            // from 127 up starts a name): find its end outside quoted values.
            // Markup TinyXML would read as unknown counts too, to be safe.
            int attributes = 0;
            for (close = p + 1;;) {
                while (!kTagStops[static_cast<unsigned char>(*close)])
                    ++close;
                const char stop = *close;
                if (stop == '>' || stop == '\0') break;
                ++close;
                if (stop == '=') {
                    ++attributes;
                    continue;
                }
                while (*close != stop && *close != '\0')  // a quoted value
                    ++close;
                if (*close == '\0') break;
                ++close;
            }
            if (attributes > kMaxAttributes) {
                return "An element has more than " + std::to_string(kMaxAttributes) +
                       " attributes.";
            }
            if (*close == '\0') return "";  // cut short: TinyXML reports it
            if (close[-1] != '/' && ++depth > kMaxNesting) {
                return "Elements are nested deeper than " + std::to_string(kMaxNesting) +
                       " levels.";
            }
        }
        if (close == nullptr) return "";
        p = close + 1;
    }
    return "";
}

}  // namespace tmx
