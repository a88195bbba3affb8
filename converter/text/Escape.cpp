#include "converter/text/Escape.h"

#include <cstdint>
#include <cstdio>

namespace {

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// "\xNN" for a byte.
void AppendHex(std::string& out, unsigned char c, const char* form) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, form, static_cast<unsigned>(c));
    out += escaped;
}

// The code point of a valid sequence of `length` bytes.
uint32_t CodePoint(std::string_view text, size_t at, size_t length) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[at + i]); };
    if (length == 1) return byte(0);
    uint32_t point = byte(0) & (0x7F >> length);
    for (size_t i = 1; i < length; ++i)
        point = (point << 6) | (byte(i) & 0x3F);
    return point;
}

void AppendUtf8(std::string& out, uint32_t point) {
    if (point < 0x80) {
        out += static_cast<char>(point);
    } else if (point < 0x800) {
        out += static_cast<char>(0xC0 | (point >> 6));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (point >> 12));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    }
}

// Windows-1252's characters for bytes 0x80 to 0x9F; the five it leaves
// undefined read as the C1 control of the same number, as Windows reads them.
constexpr uint16_t kWindows1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

size_t Utf8Length(std::string_view text, size_t at) {
    const auto c = static_cast<unsigned char>(text[at]);
    if (c < 0x80) return 1;
    size_t length = 0;
    unsigned char low = 0x80;  // the second byte's range, narrower after some leads
    unsigned char high = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        if (c == 0xE0) low = 0xA0;   // no overlong forms
        if (c == 0xED) high = 0x9F;  // no surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        if (c == 0xF0) low = 0x90;
        if (c == 0xF4) high = 0x8F;  // nothing past U+10FFFF
    } else {
        return 0;
    }
    if (at + length > text.size()) return 0;
    const auto second = static_cast<unsigned char>(text[at + 1]);
    if (second < low || second > high) return 0;
    for (size_t i = 2; i < length; ++i)
        if (!IsContinuation(static_cast<unsigned char>(text[at + i]))) return 0;
    return length;
}

std::string VisibleText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        // Printable ASCII, nearly all of a finding's words, goes a run at a time.
        size_t run = i;
        while (run < text.size() && static_cast<unsigned char>(text[run]) - 0x20u < 0x5Fu)
            ++run;
        out.append(text.data() + i, run - i);
        if (run == text.size()) break;
        i = run;
        const auto c = static_cast<unsigned char>(text[i]);
        const size_t length = Utf8Length(text, i);
        if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c < 0x20 || c == 0x7F || length == 0) {
            AppendHex(out, c, "\\x%02x");
        } else {
            out.append(text.substr(i, length));
            i += length;
            continue;
        }
        ++i;
    }
    return out;
}

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const size_t length = Utf8Length(text, i);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            AppendHex(out, c, "\\u%04x");
        } else if (length == 0) {
            out += "\\ufffd";
        } else {
            out.append(text.substr(i, length));
            i += length;
            continue;
        }
        ++i;
    }
    return out + "\"";
}

std::string GithubText(std::string_view text, bool property) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '%':
                out += "%25";
                break;
            case '\r':
                out += "%0D";
                break;
            case '\n':
                out += "%0A";
                break;
            case ':':
                out += property ? "%3A" : ":";
                break;
            case ',':
                out += property ? "%2C" : ",";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string UriPath(std::string_view path) {
    std::string uri;
    uri.reserve(path.size());
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
                           (byte >= '0' && byte <= '9') || c == '/' || c == '-' || c == '.' ||
                           c == '_' || c == '~';
        if (c == '\\') {
            uri += '/';
        } else if (plain) {
            uri += c;
        } else {
            AppendHex(uri, byte, "%%%02X");
        }
    }
    return uri;
}

std::string QuotedText(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (static_cast<unsigned char>(c) < 0x20) {
            AppendHex(out, static_cast<unsigned char>(c), "\\x%02x");
        } else {
            out += c;
        }
    }
    return out + "\"";
}

XmlReady ForXml(std::string_view bytes) {
    XmlReady ready;
    ready.text.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size();) {
        const size_t length = Utf8Length(bytes, i);
        if (length == 0) {
            const auto c = static_cast<unsigned char>(bytes[i++]);
            AppendUtf8(ready.text, c < 0xA0 ? kWindows1252[c - 0x80] : c);
            ready.reread = true;
            continue;
        }
        const uint32_t point = CodePoint(bytes, i, length);
        const bool fits = point >= 0x20 ? point != 0xFFFE && point != 0xFFFF
                                        : point == '\t' || point == '\r' || point == '\n';
        if (fits) {
            ready.text.append(bytes.substr(i, length));
        } else {
            ready.dropped = true;
        }
        i += length;
    }
    return ready;
}

std::string XmlAttribute(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\t':
                out += "&#9;";
                break;
            case '\r':
                out += "&#13;";
                break;
            case '\n':
                out += "&#10;";
                break;
            default:
                out += c;
        }
    }
    return out;
}
