#pragma once

// The files Tiled keeps beside maps: a world (which maps make it up) and a
// project (its folders, and the custom property types its maps use).

#include <string>
#include <vector>

#include "tmx/model/TmxMap.h"

namespace tmx {

// A .world file: the maps it lists by name, and the patterns (regular
// expressions) that match more maps by their names in the world's folder.
struct TmxWorld {
    struct Pattern {
        std::string regexp;
        TmxLocation at;  // of its record in the world's text
    };
    std::vector<std::string> maps;
    std::vector<Pattern> patterns;
};

// A custom property type of a project: an enum (its values, stored as their
// names or as their indexes) or a class (its members with their defaults,
// and what it may be used as: "map", "layer", "object" ...).
struct TmxPropertyType {
    struct Member {
        std::string name;
        std::string type;          // "int", "float", "bool", "string", "class" ...
        std::string propertyType;  // the custom type of an enum or class member
        std::string value;         // the default as a TMX map writes it; "" for a class
    };
    enum class Kind { Enum, Class } kind = Kind::Class;
    std::string name;
    std::vector<std::string> values;  // an enum's
    bool storedAsIndex = false;       // an enum's values stored as their indexes
    bool flags = false;               // an enum whose values combine as flags
    std::vector<Member> members;      // a class's
    std::vector<std::string> useAs;   // a class's (Tiled 1.9 and later)
};

// A .tiled-project file: its folders (relative to it) and property types.
// (The property types alone, as Tiled 1.8 exports them to a file of their
// own, read as a project without folders.)
struct TmxProject {
    std::vector<std::string> folders;
    std::vector<TmxPropertyType> types;

    const TmxPropertyType* Type(const std::string& name) const;
};

// Reads the text of a world or a project; the problem in words, or "".
std::string ReadWorld(const std::string& text, TmxWorld& world);
std::string ReadProject(const std::string& text, TmxProject& project);

// What became of a map's class.
enum class TmxClassUse {
    None,        // the map has no class
    Applied,     // its members filled in what the map does not write
    NoProject,   // no project was found to declare it
    Undeclared,  // the project declares no class of that name
    NotForMaps,  // the project's class of that name is not one for maps
};

// Lays a project's types on the map's own properties: the members of the
// map's class fill in those the map does not write, with their defaults, and
// an enum stored as its index shows as its name (or names, for flags), as
// Tiled shows them. `project` is null where none was found.
TmxClassUse ApplyProject(const TmxProject* project, TmxMap& map);

}  // namespace tmx
