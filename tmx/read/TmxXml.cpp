#include "tmx/read/TmxXml.h"

#include "tmx/decode/TmxPrescan.h"

namespace tmx {
namespace {

// The parser's own words are terse; what usually causes each, to look for at
// its line and column.
const char* Hint(int error) {
    switch (error) {
        case TiXmlBase::TIXML_ERROR_PARSING_ELEMENT:
            return " Look for a tag cut short, or holding what is no attribute.";
        case TiXmlBase::TIXML_ERROR_FAILED_TO_READ_ELEMENT_NAME:
            return " Look for a \"<\" that starts no element name.";
        case TiXmlBase::TIXML_ERROR_READING_ELEMENT_VALUE:
            return " Look for a missing end tag, or a file that ends early.";
        case TiXmlBase::TIXML_ERROR_READING_ATTRIBUTES:
            return " Look for an attribute without \"=\" and a quoted value, or a tag not "
                   "closed by \">\".";
        case TiXmlBase::TIXML_ERROR_READING_END_TAG:
            return " Look for an end tag that does not match the element it closes.";
        case TiXmlBase::TIXML_ERROR_PARSING_UNKNOWN:
            return " Look for a \"<!\" or \"<?\" not closed by \">\".";
        case TiXmlBase::TIXML_ERROR_PARSING_COMMENT:
            return " Look for a comment not closed by \"-->\".";
        case TiXmlBase::TIXML_ERROR_PARSING_DECLARATION:
            return " Look for an XML declaration not closed by \"?>\".";
        case TiXmlBase::TIXML_ERROR_EMBEDDED_NULL:
            return " Look for a file that ends inside a tag.";
        case TiXmlBase::TIXML_ERROR_PARSING_CDATA:
            return " Look for a CDATA section not closed by \"]]>\".";
        default:
            return "";
    }
}

}  // namespace

std::string ParseXml(const char* text, std::string* owner, TiXmlDocument& document,
                     TmxLocation& at) {
    if (std::string problem = PrescanXml(text); !problem.empty()) return problem;
    // Columns count bytes, as compilers count them, a TAB included.
    document.SetTabSize(1);
    // TinyXML reads a C string: whatever follows a NUL byte is never parsed.
    document.Parse(text, nullptr, TIXML_DEFAULT_ENCODING);
    // The document holds all it needs: the text goes before the model grows.
    if (owner != nullptr) std::string().swap(*owner);
    if (!document.Error()) return "";
    at = {document.ErrorRow(), document.ErrorCol()};
    // TinyXML's "Error document empty." is what binary data gives.
    if (document.ErrorId() == TiXmlBase::TIXML_ERROR_DOCUMENT_EMPTY)
        return "The file holds no XML.";
    return std::string(document.ErrorDesc()) + Hint(document.ErrorId());
}

}  // namespace tmx
