// Where a JSON map's records start, against the places noted while a random
// document was written: nested groups, objects, properties, ids in "data"
// arrays over several lines, strings holding quotes, brackets and escapes;
// and the ids of layers taken out of a map before it is parsed.

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "tmx/read/TmxJsonPlaces.h"

namespace {

// Whether `path` is a layer's: "/layers/N", within groups "/layers/N/layers/M".
bool IsLayer(const std::string& path) {
    size_t at = 0;
    while (path.compare(at, 8, "/layers/") == 0) {
        const size_t digits = path.find_first_not_of("0123456789", at + 8);
        if (digits == at + 8) return false;
        at = digits == std::string::npos ? path.size() : digits;
    }
    return at > 0 && at == path.size();
}

class Writer {
  public:
    explicit Writer(std::mt19937& random) : random_(random) {}

    std::string text;
    std::map<std::string, tmx::TmxLocation> places;
    // The "data" arrays, and those of a layer's ids as Tiled writes them.
    struct Lift {
        size_t from = 0;  // in text, within the brackets
        size_t to = 0;
        std::vector<uint32_t> ids;
    };
    std::set<std::string> data;
    std::map<std::string, Lift> lifts;

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
        // A key written with an escape ends the taking out of ids.
        const bool escape = random_() % 150 == 0;
        key(escape ? "n\\u0061me" : "name");
        escaped_ = escaped_ || escape;
        String();
        if (random_() % 2) {
            key("data");
            text += '[';
            Lift lift{text.size(), 0, {}};
            bool plain = true;
            for (size_t n = random_() % 40; n > 0; --n) {
                if (random_() % 400 == 0) {
                    text += random_() % 2 ? "1.5" : "-2";
                    plain = false;
                } else {
                    lift.ids.push_back(static_cast<uint32_t>(random_() % 300));
                    text += std::to_string(lift.ids.back());
                }
                const char* const separators[] = {",", ", ", ",\n", ",\r\n\t"};
                if (n > 1) text += separators[random_() % std::size(separators)];
            }
            lift.to = text.size();
            data.insert(path + "/data");
            const bool layer = IsLayer(path);
            if (plain && !lift.ids.empty() && layer && !escaped_) lifts[path + "/data"] = lift;
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
    bool escaped_ = false;
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

// Before the parse, a map's layers' ids are taken out: the arrays left empty
// with their line breaks, every record still where it was written.
TEST(JsonPlaces, LayersIdsAreTakenOutAndEveryPlaceStays) {
    std::mt19937 random(41);
    size_t taken = 0;
    for (int round = 0; round < 300; ++round) {
        Writer writer(random);
        writer.Object("", true, 0);
        std::string text = writer.text;
        const tmx::TmxJsonPlaces places(text.data(), text.size());
        std::string expected = writer.text;
        for (const auto& [path, lift] : writer.lifts) {
            for (size_t k = lift.from; k < lift.to; ++k)
                if (expected[k] != '\n' && expected[k] != '\r') expected[k] = ' ';
        }
        EXPECT_EQ(text, expected);
        for (const auto& [path, at] : writer.places) {
            const tmx::TmxLocation found = places.At(path);
            EXPECT_EQ(found.line, at.line) << path << "\n" << writer.text;
            EXPECT_EQ(found.column, at.column) << path << "\n" << writer.text;
        }
        for (const std::string& path : writer.data) {
            std::span<const uint32_t> ids;
            const auto lift = writer.lifts.find(path);
            ASSERT_EQ(places.LiftedIds(places.Named(path), ids), lift != writer.lifts.end())
                << path;
            if (lift == writer.lifts.end()) continue;
            EXPECT_EQ(std::vector<uint32_t>(ids.begin(), ids.end()), lift->second.ids) << path;
            ++taken;
        }
    }
    EXPECT_GT(taken, 100u);
}

}  // namespace
