#pragma once

#include <string>

namespace platform {

// Whether a file, a folder or a device is at `path`, links followed: a link
// that leads nowhere is not one.
bool Exists(const std::string& path);

// The folder part of `path`, up to and with its last separator ("/"; on
// Windows also "\" and the ":" of a drive); "" where it has none.
std::string FolderOf(const std::string& path);

}  // namespace platform
