#pragma once

// The Tiled project whose property types a map uses (its class's members
// with their defaults, its enums): the one the command line names, or the
// nearest found from the map's folder upwards, as Tiled's own command line
// would be given it. The search stops at a repository's root (a folder that
// holds .git); a folder holding several project files gives none, as there
// is no telling which the designer opens.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "converter/findings/Diagnostics.h"
#include "tmx/read/TmxProject.h"

inline constexpr char kProjectEnding[] = ".tiled-project";

class Projects {
  public:
    // Where `discover`, each map uses the project found above it.
    explicit Projects(bool discover) : discover_(discover) {}

    // Every map uses the project file at `path`: what is wrong with it in
    // words, or "".
    std::string Use(const std::string& path);

    struct Found {
        const tmx::TmxProject* project = nullptr;
        std::string path;     // its file, as named from the working folder
        std::string problem;  // why none is used where there is one
    };
    // The project of the map at `mapPath`. Each file is read once.
    Found For(const std::string& mapPath);

  private:
    struct Folder {
        std::vector<std::string> projects;  // the project files it holds, by name
        bool root = false;                  // a repository's root
    };
    const Folder& Look(const std::string& folder);
    Found Read(const std::string& path);

    std::optional<tmx::TmxProject> given_;
    std::string givenPath_;
    bool discover_;
    std::map<std::string, Folder> folders_;
    std::map<std::string, std::pair<tmx::TmxProject, std::string>> files_;  // and its problem
};

// The projects a command line asks for (--project, --no-project); none, with
// the reason reported, where its --project file cannot be read.
