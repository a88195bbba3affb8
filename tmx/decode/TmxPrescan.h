#pragma once

#include <string>

namespace tmx {

// TinyXML parses (and frees) nested elements recursively, about 240 bytes of
// stack a level: measured with the default 8 MiB stack, 30,000 levels parse
// and 40,000 crash. Maps nest a handful of levels; 1,000 leaves room for any
// real map and keeps the parse within 256 KiB of stack.
constexpr int kMaxNesting = 1000;

// TinyXML checks each new attribute against all earlier ones of the element:
// an element of 100,000 attributes (1 MB) took 110 s. Tiled writes a dozen.
constexpr int kMaxAttributes = 64;

// What TinyXML could not parse safely in `text`, or "" when nothing: elements
// nested deeper than kMaxNesting (counted as TinyXML will read them or deeper:
// comments, CDATA, declarations and other "<!"/"<?" markup open nothing, and
// quoted attribute values may hold any character), or an element with more
// than kMaxAttributes attributes. Runs before the parser, in one pass.
std::string PrescanXml(const char* text);

}  // namespace tmx
