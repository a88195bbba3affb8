#include "platform/Files.h"

#include <sys/stat.h>
#include <unistd.h>

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

std::string ParentFolder(const std::string& fullFolder) {
    if (fullFolder == "/" || fullFolder.empty()) return "";
    const std::string inner = fullFolder.substr(0, fullFolder.size() - 1);
    return inner.substr(0, inner.rfind('/') + 1);
}

}  // namespace platform
