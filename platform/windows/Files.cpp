#include "platform/Files.h"

#include "platform/windows/Wide.h"

namespace platform {

bool Exists(const std::string& path) {
    return GetFileAttributesW(SystemPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string FolderOf(const std::string& path) {
    const size_t separator = path.find_last_of("/\\:");
    return separator == std::string::npos ? "" : path.substr(0, separator + 1);
}

std::string FullFolderOf(const std::string& path) {
    const std::wstring wide = Wide(path.empty() ? "." : path);
    const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (size == 0) return FolderOf(path);
    std::wstring full(size, L'\0');
    full.resize(GetFullPathNameW(wide.c_str(), size, full.data(), nullptr));
    return FolderOf(Utf8(full));
}

std::string ParentFolder(const std::string& fullFolder) {
    const size_t end = fullFolder.find_last_not_of("/\\");
    if (end == std::string::npos || fullFolder[end] == ':') return "";  // "C:\" or "\\"
    const size_t separator = fullFolder.find_last_of("/\\", end);
    return separator == std::string::npos ? "" : fullFolder.substr(0, separator + 1);
}

}  // namespace platform
