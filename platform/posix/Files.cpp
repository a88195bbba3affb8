#include "platform/Files.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace platform {

bool Exists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

std::string FolderOf(const std::string& path) {
    return path.substr(0, path.rfind('/') + 1);
}

std::string FullFolderOf(const std::string& path) {
    const std::string folder = FolderOf(path);
    char full[PATH_MAX];
    if (realpath(folder.empty() ? "." : folder.c_str(), full) == nullptr) return "";
    const std::string text = full;
    return text == "/" ? text : text + "/";
}

bool IsFolder(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::vector<FolderEntry> ListFolder(const std::string& folder) {
    std::vector<FolderEntry> entries;
    DIR* listing = opendir(folder.empty() ? "." : folder.c_str());
    if (listing == nullptr) return entries;
    const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    while (const dirent* entry = readdir(listing)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        entries.push_back({name, IsFolder(prefix + name)});
    }
    closedir(listing);
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    return entries;
}

bool ErrorIsTerminal() {
    return isatty(STDERR_FILENO) == 1;
}

std::string ParentFolder(const std::string& fullFolder) {
    if (fullFolder == "/" || fullFolder.empty()) return "";
    const std::string inner = fullFolder.substr(0, fullFolder.size() - 1);
    return inner.substr(0, inner.rfind('/') + 1);
}

}  // namespace platform
