#include "TmxXml.h"

#include "TmxPrescan.h"

namespace tmx {

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
    return document.ErrorDesc();
}

}  // namespace tmx
