#include "converter/workspace/Projects.h"

#include "converter/findings/FindingSubject.h"
#include "converter/text/Lists.h"
#include "converter/workspace/NamedFromHere.h"
#include "platform/FileText.h"
#include "platform/Files.h"

namespace {

bool IsProjectName(const std::string& name) {
    const std::string ending = kProjectEnding;
    return name.size() > ending.size() &&
           name.compare(name.size() - ending.size(), ending.size(), ending) == 0;
}

// The project file at `path`; the problem in words, or "".
std::string ReadProjectFile(const std::string& path, tmx::TmxProject& project) {
    const platform::FileText file = platform::ReadFileText(path, 0);
    return file.problem.empty() ? tmx::ReadProject(file.text, project) : file.problem;
}

}  // namespace

std::string Projects::Use(const std::string& path) {
    given_.emplace();
    givenPath_ = path;
    return ReadProjectFile(path, *given_);
}

const Projects::Folder& Projects::Look(const std::string& folder) {
    const auto known = folders_.find(folder);
    if (known != folders_.end()) return known->second;
    Folder& looked = folders_[folder];
    for (const platform::FolderEntry& entry : platform::ListFolder(folder)) {
        if (entry.name == ".git") looked.root = true;
        if (!entry.isFolder && IsProjectName(entry.name)) looked.projects.push_back(entry.name);
    }
    return looked;
}

Projects::Found Projects::Read(const std::string& path) {
    auto known = files_.find(path);
    if (known == files_.end()) {
        known = files_.emplace(path, std::pair<tmx::TmxProject, std::string>{}).first;
        known->second.second = ReadProjectFile(path, known->second.first);
    }
    const std::string shown = NamedFromHere(path);
    if (known->second.second.empty()) return {&known->second.first, shown, ""};
    return {nullptr, shown,
            "cannot read the project " + Quoted(shown) + ": " + known->second.second +
                "; its types are not used"};
}

Projects::Found Projects::For(const std::string& mapPath) {
    if (given_) return {&*given_, givenPath_, ""};
    if (!discover_) return {};
    for (std::string folder = platform::FullFolderOf(mapPath); !folder.empty();
         folder = platform::ParentFolder(folder)) {
        const Folder& looked = Look(folder);
        if (looked.projects.size() == 1) return Read(folder + looked.projects.front());
        if (looked.projects.size() > 1) {
            const std::string shown = NamedFromHere(folder);
            return {nullptr, shown,
                    "the folder " + Quoted(shown.empty() ? "." : shown) +
                        " holds several project files, " + Listed(looked.projects, Quoted) +
                        ", and there is no telling which the map is drawn in: none is used "
                        "(name one with --project)"};
        }
        if (looked.root) break;
    }
    return {};
}
