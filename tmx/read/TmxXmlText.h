#pragma once

// How the XML parser reads an element's text, which both readers follow: a
// JSON map's text must read as the TMX Tiled writes for it.

#include <string>
#include <string_view>

namespace tmx {

// The text condensed: no white space around it, runs of it one blank.
std::string Condensed(std::string_view text);

// Whether `text` breaks a line between its first and last character that is
// no white space: what condensing joins, not just trims.
bool SpansLines(std::string_view text);

}  // namespace tmx
