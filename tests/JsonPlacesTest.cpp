// Where a JSON map's records start, against the places noted while a random
// document was written: nested groups, objects, properties, ids in "data"
// arrays over several lines, strings holding quotes, brackets and escapes.

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>

#include "tmx/read/TmxJsonPlaces.h"

namespace {

class Writer {
  public:
    explicit Writer(std::mt19937& random) : random_(random) {}

    std::string text;
    std::map<std::string, tmx::TmxLocation> places;

    // An object at `path`; a record's place is noted.
    void Object(const std::string& path, bool record, int depth) {
        Space();
        if (record) places[path] = Here();
        text += '{';
        bool first = true;
        const auto key = [&](const std::string& name) {
            if (!first) text += ',';
            first = false;
            Space();
            text += '"' + name + "\":";
            Space();
        };
        key("name");
        String();
        if (random_() % 2) {
            key("data");
            text += '[';
            for (size_t n = random_() % 40; n > 0; --n) {
                text += std::to_string(random_() % 300);
                if (n > 1) text += random_() % 5 == 0 ? ",\n" : ",";
            }
            text += ']';
        }
        for (const char* array : {"properties", "objects", "layers", "tilesets"}) {
            if (random_() % 3 != 0 || depth > 3) continue;
            key(array);
            text += '[';
            for (size_t i = 0, n = random_() % 4; i < n; ++i) {
                if (i > 0) text += ',';
                const std::string inner = path + "/" + array + "/" + std::to_string(i);
                // A map's tilesets are records, a tileset's own "tilesets" none.
                Object(inner, std::string(array) != "tilesets" || path.empty(), depth + 1);
            }
            Space();
            text += ']';
        }
        Space();
        text += '}';
    }

  private:
    tmx::TmxLocation Here() const {
        const size_t lineStart = text.rfind('\n') == std::string::npos ? 0 : text.rfind('\n') + 1;
        int32_t line = 1;
        for (const char c : text)
            line += c == '\n';
        return {line, static_cast<int32_t>(text.size() - lineStart + 1)};
    }
    void Space() {
        const char* const spaces[] = {"", " ", "\n", "\t", "\r\n  "};
        text += spaces[random_() % std::size(spaces)];
    }
    void String() {
        const char* const pieces[] = {"a", "\\\"", "\\\\", "{", "[", "]", "}", ",", "é", ":"};
        text += '"';
        for (size_t n = random_() % 6; n > 0; --n)
            text += pieces[random_() % std::size(pieces)];
        text += '"';
    }

    std::mt19937& random_;
};

TEST(JsonPlaces, RecordsStartWhereTheyWereWritten) {
    std::mt19937 random(23);
    for (int round = 0; round < 300; ++round) {
        Writer writer(random);
        writer.Object("", true, 0);
        const tmx::TmxJsonPlaces places(writer.text);
        for (const auto& [path, at] : writer.places) {
            const tmx::TmxLocation found = places.At(path);
            EXPECT_EQ(found.line, at.line) << path << "\n" << writer.text;
            EXPECT_EQ(found.column, at.column) << path << "\n" << writer.text;
        }
        EXPECT_EQ(places.At("/layers/0/tilesets/0").line, 0);  // no record
        EXPECT_EQ(places.At("/layers/99").line, 0);
    }
}

}  // namespace
