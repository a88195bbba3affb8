#pragma once

#include <map>
#include <string>
#include <string_view>

#include "tmx/model/TmxFinding.h"

class TiXmlElement;

namespace tmx {

struct TmxProperty {
    std::string value;
    TmxLocation at;  // of the `property` element
    // The value was written on several lines and is read as one: the XML
    // parser condenses an element's text, line breaks included, and a JSON
    // map's text is read as the TMX Tiled writes for it.
    bool joinedLines = false;
};

// Whether `text` breaks a line between its first and last character that is
// no white space: what the XML parser's condensing joins, not just trims.
bool SpansLines(std::string_view text);

// The name/value pairs of one `properties` block (or of several read into the
// same set). Values are kept as text; callers convert them.
class TmxProperties {
  public:
    // What ValueOf returns for a name the set does not hold.
    static constexpr const char* kNoSuchProperty = "No such property!";

    // Adds the `property` children of a `properties` element. A name read again
    // replaces the earlier value. A `property` without a "name" is skipped; one
    // without a "value" stores its text content (how Tiled saves multi-line
    // values), or the empty text. `source`, the text the element was parsed
    // from, tells where that content spanned lines (see joinedLines).
    void ReadElement(const TiXmlElement* element, std::string_view source = {});

    // Reads the first `properties` child of `owner`, if it has one: how every
    // record but the map finds its properties.
    void ReadFirstBlockOf(const TiXmlElement* owner);

    std::string ValueOf(const std::string& name) const;
    // The property of that name, or nullptr.
    const TmxProperty* Find(const std::string& name) const;
    // Adds a property, or replaces the one of that name.
    void Set(const std::string& name, TmxProperty property);

    const std::map<std::string, TmxProperty>& entries() const { return entries_; }

  private:
    std::map<std::string, TmxProperty> entries_;
};

}  // namespace tmx
