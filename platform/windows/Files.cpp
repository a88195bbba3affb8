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

}  // namespace platform
