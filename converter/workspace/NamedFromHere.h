#pragma once

#include <algorithm>
#include <string>

#include "platform/Files.h"

// A file found by its full path, named as from the working folder where it
// lies below it, as the command line names maps; as it is otherwise. Paths
// joined by the loader use "/" where Windows names the working folder with
// "\", so the two separators are taken as one.
inline std::string NamedFromHere(const std::string& path) {
    const std::string here = platform::FullFolderOf("");
    const auto same = [](char a, char b) {
        return a == b || ((a == '/' || a == '\\') && (b == '/' || b == '\\'));
    };
    const bool below = !here.empty() && path.size() >= here.size() &&
                       std::equal(here.begin(), here.end(), path.begin(), same);
    return below ? path.substr(here.size()) : path;
}
