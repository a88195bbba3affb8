#pragma once

// TinyXML reads an element's text a byte at a time, building it a character
// at a time: on a large map that is most of the parse. The text of each
// layer's `data` or `chunk` element is taken out before parsing instead, as
// TinyXML would have read it, and the parser is given a copy of the document
// where a short mark stands in its place. Lines and columns of all that
// follows stay as they were. A layer of XML tiles, an element a cell, costs
// the parser more still: its `tile` elements are taken out as their ids.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tmx {

struct TmxLiftedTexts {
    std::string document;                      // what the parser reads; "" when nothing was lifted
    std::vector<std::string> texts;            // by mark, as TinyXML condenses text
    std::vector<std::vector<uint32_t>> tiles;  // by mark, each tile's gid (0 without one)
};

// Lifts the texts and tiles out of `text` (a C string: nothing after a NUL
// byte is read). Only text TinyXML would take as it stands: printable ASCII
// and white space, no entity, ended by markup; only tiles as Tiled writes
// them, "<tile/>" and "<tile gid="N"/>" with white space between, all of an
// element's content. A document holding byte 1 or 2, of which the marks are
// made, or a UTF-8 sequence cut short, keeps all its texts and tiles.
TmxLiftedTexts LiftLayerTexts(const char* text);

// The text the mark `value` stands for, or nullptr when `value` is none.
std::string* LiftedText(TmxLiftedTexts& lifted, const std::string& value);

// The gids the mark `value` stands for, or nullptr when `value` is none.
std::vector<uint32_t>* LiftedTiles(TmxLiftedTexts& lifted, const std::string& value);

// What TinyXML keeps of a text: white space around it dropped, each run of
// it within one blank.
std::string CondensedText(std::string_view text);

}  // namespace tmx
