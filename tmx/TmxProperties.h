#pragma once

#include <map>
#include <string>

class TiXmlElement;

namespace tmx {

// The name/value pairs of one `properties` block (or of several read into the
// same set). Values are kept as text; callers convert them.
class TmxProperties {
  public:
    // What ValueOf returns for a name the set does not hold.
    static constexpr const char* kNoSuchProperty = "No such property!";

    // Adds the `property` children of a `properties` element. A name read again
    // replaces the earlier value. A `property` without a "name" is skipped; one
    // without a "value" stores its text content (how Tiled saves multi-line
    // values), or the empty text.
    void ReadElement(const TiXmlElement* element);

    // Reads the first `properties` child of `owner`, if it has one: how every
    // record but the map finds its properties.
    void ReadFirstBlockOf(const TiXmlElement* owner);

    std::string ValueOf(const std::string& name) const;

    const std::map<std::string, std::string>& entries() const { return entries_; }

  private:
    std::map<std::string, std::string> entries_;
};

}  // namespace tmx
