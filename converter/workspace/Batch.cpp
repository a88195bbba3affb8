#include "converter/workspace/Batch.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "converter/workspace/NamePattern.h"
#include "platform/FileText.h"
#include "platform/Files.h"
#include "tmx/read/TmxProject.h"

namespace {

bool EndsWith(const std::string& text, const std::string& end) {
    if (text.size() < end.size()) return false;
    return std::equal(end.rbegin(), end.rend(), text.rbegin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    });
}

// A file a folder may hold a map in: TMX by its name; JSON by its content,
// which its load tells.
bool MayHoldMap(const std::string& name) {
    return EndsWith(name, ".tmx") || EndsWith(name, ".tmj") || EndsWith(name, ".json");
}

std::string Joined(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder.back() == '/' || folder.back() == '\\') return folder + name;
    return folder + "/" + name;
}

// Text from a world in a message, cut short: a hostile pattern may be
// thousands of characters.
std::string Shown(const std::string& text) {
    constexpr size_t kShown = 60;
    size_t cut = std::min(text.size(), kShown);
    while (cut < text.size() && cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;  // not inside a UTF-8 sequence
    std::string shown = "\"";
    shown.append(text, 0, cut).append("\"");
    if (cut < text.size())
        shown.append("... (").append(std::to_string(text.size())).append(" bytes)");
    return shown;
}

// Why a world's pattern takes no map.
std::string PatternProblem(const std::string& pattern, const NamesMatched& matched) {
    if (matched.tooCostlyOn) {
        return "its pattern " + Shown(pattern) + " was given up matching the name " +
               Shown(*matched.tooCostlyOn) + " (" + matched.problem +
               "): a pattern that backtracks without end takes no map";
    }
    return "its pattern " + Shown(pattern) + " is no regular expression: " + matched.problem +
           (matched.offset ? " at offset " + std::to_string(*matched.offset) : "");
}

class Expansion {
  public:
    void Argument(const std::string& argument) {
        if (platform::IsFolder(argument)) {
            batch_.expanded = true;
            const size_t before = batch_.maps.size();
            Folder(argument);
            if (batch_.maps.size() == before)
                Problem(argument, "there is no map beneath this folder");
        } else if (EndsWith(argument, ".world")) {
            batch_.expanded = true;
            World(argument);
        } else if (EndsWith(argument, ".tiled-project")) {
            batch_.expanded = true;
            Project(argument);
        } else {
            Add({argument, false});
        }
    }

    Batch Take() { return std::move(batch_); }

  private:
    void Add(MapToConvert map) {
        if (seen_.insert(map.path).second) batch_.maps.push_back(std::move(map));
    }

    // Every map beneath `folder`, but in hidden folders, and each folder once
    // however many links lead to it.
    void Folder(const std::string& folder) {
        const std::string real = platform::FullFolderOf(Joined(folder, ""));
        if (!real.empty() && !folders_.insert(real).second) return;
        for (const platform::FolderEntry& entry : platform::ListFolder(folder)) {
            if (entry.name.front() == '.') continue;  // .git, and Tiled's temporary maps
            const std::string path = Joined(folder, entry.name);
            if (entry.isFolder) {
                Folder(path);
            } else if (MayHoldMap(entry.name)) {
                Add({path, true});
            }
        }
    }

    // A world's maps as it lists them, then those its patterns match in its
    // folder, by name.
    void World(const std::string& path) {
        tmx::TmxWorld world;
        if (!Read(path, "world",
                  [&](const std::string& text) { return tmx::ReadWorld(text, world); }))
            return;
        const std::string folder = platform::FolderOf(path);
        for (const std::string& map : world.maps)
            Add({Joined(folder, map), true});
        std::vector<std::string> files;
        if (!world.patterns.empty())
            for (const platform::FolderEntry& entry : platform::ListFolder(folder))
                if (!entry.isFolder) files.push_back(entry.name);
        for (const tmx::TmxWorld::Pattern& pattern : world.patterns) {
            const NamesMatched matched = NamesMatching(pattern.regexp, files);
            if (!matched.problem.empty()) {
                Problem(path, PatternProblem(pattern.regexp, matched), pattern.at);
                continue;
            }
            for (const std::string& name : matched.names)
                Add({Joined(folder, name), true});
        }
    }

    // The maps beneath a project's folders.
    void Project(const std::string& path) {
        tmx::TmxProject project;
        if (!Read(path, "project",
                  [&](const std::string& text) { return tmx::ReadProject(text, project); }))
            return;
        const std::string folder = platform::FolderOf(path);
        for (const std::string& inside : project.folders)
            Folder(inside == "." ? (folder.empty() ? "." : folder) : Joined(folder, inside));
    }

    template <class Reader>
    bool Read(const std::string& path, const char* what, Reader read) {
        const platform::FileText file = platform::ReadFileText(path, 0);
        const std::string problem = file.problem.empty() ? read(file.text) : file.problem;
        if (problem.empty()) return true;
        Problem(path, std::string("cannot read the ") + what + ": " + problem);
        return false;
    }

    void Problem(const std::string& path, std::string reason, tmx::TmxLocation at = {}) {
        batch_.problems.push_back({path, FindingOf(finding::Load{std::move(reason)}, at)});
    }

    Batch batch_;
    std::set<std::string> seen_;
    std::set<std::string> folders_;
};

}  // namespace

Batch ExpandArguments(const std::vector<std::string>& arguments) {
    Expansion expansion;
    for (const std::string& argument : arguments)
        expansion.Argument(argument);
    return expansion.Take();
}
