#include "platform/Files.h"

#include <sys/stat.h>

namespace platform {

bool Exists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

}  // namespace platform
