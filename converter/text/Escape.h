#pragma once

// Text from a map or a zone script, made fit for where it is shown or kept:
// a terminal line, a JSON string, a workflow command, a quoted value, an XML
// attribute. Maps and zone scripts hold any bytes; these say them safely.

#include <cstddef>
#include <string>
#include <string_view>

// The length of the UTF-8 sequence that starts at `at`, or 0 where the byte
// there starts none (a stray continuation byte, an overlong form, a
// surrogate, a cut sequence, a code point past U+10FFFF).
size_t Utf8Length(std::string_view text, size_t at);

// Text on one line of a terminal: TAB, CR and LF as \t, \r and \n, other
// control bytes and bytes that are no UTF-8 as \xNN; the rest as it is.
std::string VisibleText(std::string_view text);

// A JSON string of `text`: quotes, backslashes and control characters
// escaped; a byte that is no UTF-8 becomes U+FFFD, as JSON holds only UTF-8.
std::string JsonString(std::string_view text);

// Text in a workflow command: its message escapes line ends and "%"; a
// property (`property`) also ":" and ",".
std::string GithubText(std::string_view text, bool property);

// A file's path as a URI reference: "\" as "/", and every byte but letters,
// digits, "/" and "-._~" percent-encoded, so that any name, UTF-8 or not,
// stays itself ("zone%C3%A9/town%201.tmx").
std::string UriPath(std::string_view path);

// A value on one line for a reviewer: quoted, its control characters, quotes
// and backslashes escaped ("Old\nMill").
std::string QuotedText(std::string_view text);

// Text as an XML document can hold it: UTF-8 as it is, each byte that is no
// UTF-8 read as Windows-1252 (what the game's older tools wrote), and the
// characters XML has no place for (NUL, the control characters but TAB, CR
// and LF, U+FFFE and U+FFFF) dropped.
struct XmlReady {
    std::string text;      // UTF-8
    bool reread = false;   // some bytes were read as Windows-1252
    bool dropped = false;  // some characters were dropped
};
XmlReady ForXml(std::string_view bytes);

// UTF-8 text fit for XML (see ForXml) in an attribute's quotes: markup
// characters as entities, TAB, CR and LF as character references, so that
// they come back as they were.
std::string XmlAttribute(std::string_view text);
