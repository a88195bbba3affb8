#include "platform/Files.h"

#include "platform/windows/Wide.h"

#include <algorithm>

namespace platform {

bool Exists(const std::string& path) {
    return GetFileAttributesW(SystemPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string FolderOf(const std::string& path) {
    const size_t separator = path.find_last_of("/\\:");
    return separator == std::string::npos ? "" : path.substr(0, separator + 1);
}

std::string FullFolderOf(const std::string& path) {
    const std::string folder = FolderOf(path);
    const std::wstring wide = Wide(folder.empty() ? "." : folder);
    const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (size == 0) return "";
    std::wstring full(size, L'\0');
    full.resize(GetFullPathNameW(wide.c_str(), size, full.data(), nullptr));
    // "." gives the working folder without its last separator.
    if (!full.empty() && full.back() != L'\\' && full.back() != L'/') full += L'\\';
    return Utf8(full);
}

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(SystemPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::vector<FolderEntry> ListFolder(const std::string& folder) {
    std::vector<FolderEntry> entries;
    // Joined with "/", which Windows takes too: the names read as on Linux.
    const std::string prefix =
        folder.empty() || folder.back() == '/' || folder.back() == '\\' ? folder : folder + "/";
    WIN32_FIND_DATAW found;
    const HANDLE listing = FindFirstFileW(SystemPath(prefix + "*").c_str(), &found);
    if (listing == INVALID_HANDLE_VALUE) return entries;
    do {
        const std::string name = Utf8(found.cFileName);
        if (name == "." || name == "..") continue;
        entries.push_back({name, IsFolder(prefix + name)});
    } while (FindNextFileW(listing, &found));
    FindClose(listing);
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    return entries;
}

bool ErrorIsTerminal() {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

std::string ParentFolder(const std::string& fullFolder) {
    const size_t end = fullFolder.find_last_not_of("/\\");
    if (end == std::string::npos || fullFolder[end] == ':') return "";  // "C:\" or "\\"
    const size_t separator = fullFolder.find_last_of("/\\", end);
    return separator == std::string::npos ? "" : fullFolder.substr(0, separator + 1);
}

}  // namespace platform
