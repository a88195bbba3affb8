#pragma once

// The files a map names that the next designer to open it will not have: a
// tileset, template or image file that is not there, that lies outside the
// repository the map is in, or that is named by an absolute path
// (file-reference); and two tilesets of one name from different files,
// which Tiled shows as two tabs alike (tileset-name). Whether a file is
// there is looked up, never read.

#include <map>
#include <string>

#include "converter/findings/Finding.h"
#include "tmx/model/TmxMap.h"

// The repositories maps lie in, each folder's found once: the nearest folder
// up from it that holds ".git" (a folder, or the file of a worktree).
class Repositories {
  public:
    // The full folder of the repository that holds the full folder `folder`
    // (both with their last separator); "" where none does.
    const std::string& Of(const std::string& folder);

  private:
    std::map<std::string, std::string> known_;
};

Findings FileReferenceFindings(const tmx::TmxMap& map, Repositories& repositories);
