#pragma once

#include <string>
#include <vector>

namespace platform {

// Whether a file, a folder or a device is at `path`, links followed: a link
// that leads nowhere is not one.
bool Exists(const std::string& path);

// The folder part of `path`, up to and with its last separator ("/"; on
// Windows also "\" and the ":" of a drive); "" where it has none.
std::string FolderOf(const std::string& path);

// The folder `path` is in, as a full path from the file system's root, links
// and ".." resolved, with its last separator ("" where it is not there); and
// the folder above such a folder, "" at the root.
std::string FullFolderOf(const std::string& path);
std::string ParentFolder(const std::string& fullFolder);

// Whether `path` is a folder, links followed.
bool IsFolder(const std::string& path);

// What a folder holds, by name in byte order: each entry's name, and whether
// it is a folder (links followed). Empty where it cannot be read.
struct FolderEntry {
    std::string name;
    bool isFolder = false;
};
std::vector<FolderEntry> ListFolder(const std::string& folder);

// Whether standard error is a terminal, where a line may be redrawn.
bool ErrorIsTerminal();

}  // namespace platform
