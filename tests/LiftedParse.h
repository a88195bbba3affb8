// Whether TinyXML sees a document and the one its layer texts were lifted out
// of alike: node by node, the same kind, value (a lifted text by what its mark
// stands for; lifted tiles by the elements they were), attributes and place,
// and the same error where it fails.
// TinyXML itself is the judge.

#pragma once

#ifndef TIXML_USE_STL
#define TIXML_USE_STL
#endif
#include <tinyxml.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tmx/decode/TmxLiftedTexts.h"
#include "tmx/decode/TmxNumbers.h"

namespace lifted_parse {

inline std::string Where(const TiXmlNode* node) {
    return " at " + std::to_string(node->Row()) + ":" + std::to_string(node->Column());
}

// The first difference below `original` and `lifted`, or "".
inline std::string TreeDifference(const TiXmlNode* original, const TiXmlNode* lifted,
                                  tmx::TmxLiftedTexts& texts) {
    const TiXmlNode* a = original->FirstChild();
    const TiXmlNode* b = lifted->FirstChild();
    for (; a != nullptr && b != nullptr; a = a->NextSibling(), b = b->NextSibling()) {
        if (const std::vector<uint32_t>* gids =
                b->ToText() ? tmx::LiftedTiles(texts, b->ValueStr()) : nullptr) {
            // Tiles stand for all the elements left, each a tile of its gid
            // or none, as the reader takes it.
            for (const uint32_t gid : *gids) {
                const TiXmlElement* tile = a != nullptr ? a->ToElement() : nullptr;
                if (tile == nullptr || tile->ValueStr() != "tile" || tile->FirstChild() != nullptr)
                    return "a lifted tile for no tile" + Where(original);
                uint32_t read = 0;
                const TiXmlAttribute* attribute = tile->FirstAttribute();
                if (attribute != nullptr) {
                    if (attribute->NameTStr() != "gid" || attribute->Next() != nullptr)
                        return "a lifted tile for a tile of other attributes" + Where(tile);
                    tmx::ScanUnsigned(attribute->Value(), read);
                }
                if (read != gid) return "the lifted gid " + std::to_string(gid) + Where(tile);
                a = a->NextSibling();
            }
            if (a != nullptr || b->NextSibling() != nullptr)
                return "more than tiles" + Where(original);
            return "";
        }
        if (a->Type() != b->Type()) return "a node of another kind" + Where(a);
        const std::string* text = b->ToText() ? tmx::LiftedText(texts, b->ValueStr()) : nullptr;
        if (text != nullptr) {
            if (*text != a->ValueStr()) return "the lifted text \"" + *text + "\"" + Where(a);
        } else if (a->ValueStr() != b->ValueStr() || a->Row() != b->Row() ||
                   a->Column() != b->Column()) {
            return "\"" + b->ValueStr() + "\"" + Where(b) + " for \"" + a->ValueStr() + "\"" +
                   Where(a);
        }
        if (const TiXmlElement* element = a->ToElement()) {
            const TiXmlAttribute* x = element->FirstAttribute();
            const TiXmlAttribute* y = b->ToElement()->FirstAttribute();
            for (; x != nullptr && y != nullptr; x = x->Next(), y = y->Next()) {
                if (x->NameTStr() != y->NameTStr() || x->ValueStr() != y->ValueStr())
                    return "the attribute " + y->NameTStr() + Where(a);
            }
            if ((x == nullptr) != (y == nullptr)) return "other attributes" + Where(a);
        }
        if (std::string below = TreeDifference(a, b, texts); !below.empty()) return below;
    }
    return (a == nullptr) == (b == nullptr) ? "" : "other children" + Where(original);
}

// The first difference the lift makes to the parse of `document`, or "";
// `count`, the texts and lists of tiles lifted.
inline std::string Difference(const std::string& document, size_t& count) {
    tmx::TmxLiftedTexts lifted = tmx::LiftLayerTexts(document.c_str());
    count = lifted.texts.size() + lifted.tiles.size();
    if (count == 0) return lifted.document.empty() ? "" : "a document without a lifted text";
    TiXmlDocument original;
    original.SetTabSize(1);
    original.Parse(document.c_str(), nullptr, TIXML_DEFAULT_ENCODING);
    TiXmlDocument parsed;
    parsed.SetTabSize(1);
    parsed.Parse(lifted.document.c_str(), nullptr, TIXML_DEFAULT_ENCODING);
    if (original.Error() != parsed.Error() || original.ErrorId() != parsed.ErrorId() ||
        original.ErrorRow() != parsed.ErrorRow() || original.ErrorCol() != parsed.ErrorCol()) {
        return "another error: " + std::string(parsed.ErrorDesc()) + " at " +
               std::to_string(parsed.ErrorRow()) + ":" + std::to_string(parsed.ErrorCol());
    }
    // A lifted text need not be in the tree: the parser may stop before it
    // (a declaration it reads to the end, an error), as it did without the lift.
    return TreeDifference(&original, &parsed, lifted);
}

}  // namespace lifted_parse
