#pragma once

// What a finding is about, as a designer finds it in Tiled, and the words
// that name it.

#include <cstdint>
#include <string>

struct FindingSubject {
    enum class Element { Map, Layer, ObjectGroup, Group, Object, Tileset, Property, ZoneLine };
    Element element = Element::Map;
    std::string layer;       // the layer, object group or group (an object's group), by
                             // its path through the groups that hold it: "South/Ground"
    int32_t objectId = 0;    // the object (Tiled's ids start at 1)
    std::string objectName;  // the object's name, where the words give it
    int32_t layerId = 0;     // the "id" of that layer or group, where the map has one
    // Where it is in the map, for what its elements say of it: the stacking
    // order of its layer or object group (an object's group), the index of
    // its group layer among the map's groups, its index in its object group.
    int32_t order = -1;
    int32_t group = -1;
    int32_t objectIndex = -1;
    std::string tileset = {};  // a tileset, by its name
};

inline std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// The element as a designer names it in Tiled: layer "South/Ground", object
// 7 "Goblin" in "Mobs", the map.
inline std::string ElementWords(const FindingSubject& about) {
    using Element = FindingSubject::Element;
    switch (about.element) {
        case Element::Layer:
            return "layer " + Quoted(about.layer);
        case Element::ObjectGroup:
            return "object group " + Quoted(about.layer);
        case Element::Group:
            return "group " + Quoted(about.layer);
        case Element::Object: {
            // Tiled numbers every object; a map written by hand may not.
            const bool hasName = !about.objectName.empty();
            std::string text = "an object";
            if (about.objectId != 0 || hasName) text = "object";
            if (about.objectId != 0) text.append(" ").append(std::to_string(about.objectId));
            if (hasName) text.append(" ").append(Quoted(about.objectName));
            return text.append(" in ").append(Quoted(about.layer));
        }
        case Element::Tileset:
            return "tileset " + (about.tileset.empty() ? "without a name" : Quoted(about.tileset));
        case Element::Map:
        case Element::Property:
        case Element::ZoneLine:
            break;
    }
    return "the map";
}
