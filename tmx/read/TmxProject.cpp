#include "tmx/read/TmxProject.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include <simdjson.h>

#include "tmx/read/TmxJson.h"
#include "tmx/read/TmxJsonPlaces.h"

namespace tmx {
namespace {

using simdjson::dom::array;
using simdjson::dom::element;
using simdjson::dom::object;

std::string Text(const object& o, std::string_view key) {
    std::string_view value;
    return o[key].get(value) == simdjson::SUCCESS ? std::string(value) : "";
}

// The whole text as a JSON object; the problem in words, or "".
std::string Parse(simdjson::dom::parser& parser, const std::string& text, object& document) {
    element root;
    if (const auto error = parser.parse(text).get(root); error != simdjson::SUCCESS) {
        return std::string("Not valid JSON: ") + simdjson::error_message(error);
    }
    if (root.get(document) != simdjson::SUCCESS) return "The document is no JSON object.";
    return "";
}

std::vector<std::string> Texts(const array& list, std::string_view key = {}) {
    std::vector<std::string> texts;
    for (const element entry : list) {
        std::string_view text;
        object o;
        if (key.empty() && entry.get(text) == simdjson::SUCCESS) texts.emplace_back(text);
        if (!key.empty() && entry.get(o) == simdjson::SUCCESS && !Text(o, key).empty())
            texts.push_back(Text(o, key));
    }
    return texts;
}

TmxPropertyType ReadType(const object& json) {
    TmxPropertyType type;
    type.name = Text(json, "name");
    array list;
    if (Text(json, "type") == "enum") {
        type.kind = TmxPropertyType::Kind::Enum;
        if (json["values"].get(list) == simdjson::SUCCESS) type.values = Texts(list);
        type.storedAsIndex = Text(json, "storageType") == "int";
        bool flags = false;
        if (json["valuesAsFlags"].get(flags) == simdjson::SUCCESS) type.flags = flags;
        return type;
    }
    if (json["useAs"].get(list) == simdjson::SUCCESS) type.useAs = Texts(list);
    if (json["members"].get(list) != simdjson::SUCCESS) return type;
    for (const element entry : list) {
        object member;
        if (entry.get(member) != simdjson::SUCCESS) continue;
        TmxPropertyType::Member read{Text(member, "name"), Text(member, "type"),
                                     Text(member, "propertyType"), ""};
        element value;
        if (member["value"].get(value) == simdjson::SUCCESS)
            read.value = PropertyText(read.type, value);
        type.members.push_back(std::move(read));
    }
    return type;
}

}  // namespace

const TmxPropertyType* TmxProject::Type(const std::string& name) const {
    for (const TmxPropertyType& type : types)
        if (type.name == name) return &type;
    return nullptr;
}

std::string ReadWorld(const std::string& text, TmxWorld& world) {
    simdjson::dom::parser parser;
    object document;
    if (std::string problem = Parse(parser, text, document); !problem.empty()) return problem;
    array list;
    if (document["maps"].get(list) == simdjson::SUCCESS) world.maps = Texts(list, "fileName");
    if (document["patterns"].get(list) == simdjson::SUCCESS) {
        // Each at its place, where a pattern that cannot be used is reported.
        const TmxJsonPlaces places(text);
        size_t index = 0;
        for (const element entry : list) {
            object o;
            if (entry.get(o) == simdjson::SUCCESS && !Text(o, "regexp").empty()) {
                world.patterns.push_back(
                    {Text(o, "regexp"), places.At("/patterns/" + std::to_string(index))});
            }
            ++index;
        }
    }
    if (world.maps.empty() && world.patterns.empty() && Text(document, "type") != "world")
        return "It is not a Tiled world.";
    return "";
}

std::string ReadProject(const std::string& text, TmxProject& project) {
    simdjson::dom::parser parser;
    element root;
    if (const auto error = parser.parse(text).get(root); error != simdjson::SUCCESS) {
        return std::string("Not valid JSON: ") + simdjson::error_message(error);
    }
    array types;
    object document;
    if (root.get(types) == simdjson::SUCCESS) {
        // Tiled 1.8's property types, exported alone.
    } else if (root.get(document) == simdjson::SUCCESS) {
        array folders;
        if (document["folders"].get(folders) == simdjson::SUCCESS) project.folders = Texts(folders);
        if (document["propertyTypes"].get(types) != simdjson::SUCCESS) return "";
    } else {
        return "The document is no JSON object.";
    }
    for (const element entry : types) {
        object type;
        if (entry.get(type) == simdjson::SUCCESS) project.types.push_back(ReadType(type));
    }
    return "";
}

namespace {

// What Tiled shows of a value stored as an enum's index: its name; for
// flags, the names of the bits set, joined by commas. None where the index
// has no name.
std::optional<std::string> ShownOfIndex(const TmxPropertyType& type, const std::string& stored) {
    int64_t index = 0;
    const char* end = stored.data() + stored.size();
    const auto [rest, error] = std::from_chars(stored.data(), end, index);
    if (error != std::errc() || rest != end || index < 0) return std::nullopt;
    if (!type.flags) {
        if (static_cast<uint64_t>(index) >= type.values.size()) return std::nullopt;
        return type.values[static_cast<size_t>(index)];
    }
    std::string names;
    for (size_t bit = 0; bit < type.values.size() && bit < 63; ++bit) {
        if ((index >> bit & 1) == 0) continue;
        if (!names.empty()) names += ',';
        names += type.values[bit];
    }
    if (type.values.size() < 63 && (index >> type.values.size()) != 0) return std::nullopt;
    return names;
}

}  // namespace

TmxClassUse ApplyProject(const TmxProject* project, TmxMap& map) {
    TmxClassUse use = TmxClassUse::None;
    if (!map.className().empty()) {
        const TmxPropertyType* type = project != nullptr ? project->Type(map.className()) : nullptr;
        const bool forMaps =
            type == nullptr || type->useAs.empty() ||
            std::find(type->useAs.begin(), type->useAs.end(), "map") != type->useAs.end();
        use = project == nullptr ? TmxClassUse::NoProject
              : type == nullptr || type->kind != TmxPropertyType::Kind::Class
                  ? TmxClassUse::Undeclared
              : !forMaps ? TmxClassUse::NotForMaps
                         : TmxClassUse::Applied;
        if (use == TmxClassUse::Applied) {
            TmxProperties& properties = map.editProperties();
            for (const TmxPropertyType::Member& member : type->members) {
                if (member.name.empty() || properties.Find(member.name) != nullptr) continue;
                TmxProperty filled;
                filled.value = member.value;
                filled.at = map.location();
                filled.type = PropertyTypeOf(member.type);
                filled.propertyType = member.propertyType;
                filled.fromClass = true;
                properties.Set(member.name, std::move(filled));
            }
        }
    }
    if (project == nullptr) return use;
    for (auto& [name, property] : map.editProperties().editEntries()) {
        const TmxPropertyType* type = project->Type(property.propertyType);
        if (property.propertyType.empty() || type == nullptr) continue;
        property.declared = true;
        if (type->kind != TmxPropertyType::Kind::Enum || property.type != "int") continue;
        if (std::optional<std::string> shown = ShownOfIndex(*type, property.value)) {
            property.stored = std::move(property.value);
            property.value = std::move(*shown);
        }
    }
    return use;
}

}  // namespace tmx
