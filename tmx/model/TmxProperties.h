#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "tmx/model/TmxFinding.h"

namespace tmx {

struct TmxProperty {
    std::string value;
    TmxLocation at;  // of the `property` element
    // The value was written on several lines and is read as one: the XML
    // parser condenses an element's text, line breaks included, and a JSON
    // map's text is read as the TMX Tiled writes for it.
    bool joinedLines = false;
    // The type: "" for text (written "string", or not at all), "int",
    // "bool" ..., "list", "class".
    std::string type;
    // The custom type of a project it is of (an enum or a class), or "".
    std::string propertyType;
    // Set by a project (ApplyProject): whether it declares `propertyType`;
    // the value as the file stores it where Tiled shows another (an enum's
    // index shown as its name, which is then `value`); and whether the map
    // does not write it, its class's default standing in.
    bool declared = false;
    std::optional<std::string> stored;
    bool fromClass = false;
};

// A property's type as `TmxProperty::type` holds it.
inline std::string PropertyTypeOf(std::string_view written) {
    return written == "string" ? std::string() : std::string(written);
}

// The name/value pairs of one `properties` block (or of several read into the
// same set). Values are kept as text; callers convert them.
class TmxProperties {
  public:
    // What ValueOf returns for a name the set does not hold.
    static constexpr const char* kNoSuchProperty = "No such property!";

    std::string ValueOf(const std::string& name) const;
    // The property of that name, or nullptr.
    const TmxProperty* Find(const std::string& name) const;
    // Adds a property, or replaces the one of that name: a name read again
    // wins.
    void Set(const std::string& name, TmxProperty property);

    const std::map<std::string, TmxProperty>& entries() const { return entries_; }
    std::map<std::string, TmxProperty>& editEntries() { return entries_; }

  private:
    std::map<std::string, TmxProperty> entries_;
};

}  // namespace tmx
