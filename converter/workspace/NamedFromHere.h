#pragma once

#include <string>

#include "platform/Files.h"

// A file found by its full path, named as from the working folder where it
// lies below it, as the command line names maps; as it is otherwise.
inline std::string NamedFromHere(const std::string& path) {
    const std::string here = platform::FullFolderOf("");
    return !here.empty() && path.compare(0, here.size(), here) == 0 ? path.substr(here.size())
                                                                    : path;
}
