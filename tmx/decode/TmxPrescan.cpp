#include "tmx/decode/TmxPrescan.h"

#include <cstring>

namespace tmx {

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
            char quote = 0;
            int attributes = 0;
            for (close = p + 1; *close != '\0'; ++close) {
                if (quote != 0) {
                    if (*close == quote) quote = 0;
                } else if (*close == '"' || *close == '\'') {
                    quote = *close;
                } else if (*close == '=') {
                    ++attributes;
                } else if (*close == '>') {
                    break;
                }
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
