#pragma once

#include <string>

namespace platform {

// Whether a file, a folder or a device is at `path`, links followed: a link
// that leads nowhere is not one.
bool Exists(const std::string& path);

}  // namespace platform
