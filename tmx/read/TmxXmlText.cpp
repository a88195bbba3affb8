#include "tmx/read/TmxXmlText.h"

#include "tmx/decode/TmxNumbers.h"

namespace tmx {

std::string Condensed(std::string_view text) {
    std::string out;
    bool blank = false;
    for (const char c : text) {
        if (IsCSpace(c)) {
            blank = !out.empty();
            continue;
        }
        if (blank) out += ' ';
        blank = false;
        out += c;
    }
    return out;
}

bool SpansLines(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return false;
    const size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first).find_first_of("\r\n") != std::string_view::npos;
}

}  // namespace tmx
