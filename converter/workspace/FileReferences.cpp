#include "converter/workspace/FileReferences.h"

#include <set>
#include <utility>
#include <vector>

#include "converter/exports/LayerPath.h"
#include "platform/Files.h"
#include "tmx/read/TmxFileName.h"
#include "tmx/read/TmxTilesetFile.h"

const std::string& Repositories::Of(const std::string& folder) {
    if (const auto known = known_.find(folder); known != known_.end()) return known->second;
    std::string found;
    if (!folder.empty()) {
        found = platform::Exists(folder + ".git") ? folder : Of(platform::ParentFolder(folder));
    }
    return known_[folder] = found;
}

namespace {

using FileReference = finding::FileReference;

bool IsAbsolute(const std::string& named) {
    return named.front() == '/' || named.front() == '\\' || (named.size() > 1 && named[1] == ':');
}

// A folder above `from` by the steps up to it: "..", "../.."; "." for itself.
std::string StepsUp(const std::string& from, const std::string& to) {
    std::string steps;
    for (std::string folder = from; !folder.empty() && folder != to;
         folder = platform::ParentFolder(folder)) {
        steps.append(steps.empty() ? ".." : "/..");
    }
    return steps.empty() ? "." : steps;
}

class References {
  public:
    References(const tmx::TmxMap& map, Repositories& repositories)
        : map_(map),
          mapFolder_(platform::FullFolderOf(map.sourcePath())),
          repository_(mapFolder_.empty() ? mapFolder_ : repositories.Of(mapFolder_)) {}

    // The file `named` of the kind `file`, named by the element `about` at
    // `at`: a finding unless it is there, within the repository, by a
    // relative path. Each file once.
    void Check(FileReference::File file, const std::string& named, tmx::TmxLocation at,
               const FindingSubject& about, int64_t objects = 0) {
        if (named.empty() || !checked_.insert({file, named}).second) return;
        const std::string path = tmx::FileNamedFrom(map_.directory(), named);
        FileReference reference{file, FileReference::Problem::Missing, named, "", objects};
        if (platform::Exists(path)) {
            if (IsAbsolute(named)) {
                reference.problem = FileReference::Problem::Absolute;
            } else if (const std::string folder = platform::FullFolderOf(path);
                       !repository_.empty() &&
                       folder.compare(0, repository_.size(), repository_) != 0) {
                reference.problem = FileReference::Problem::OutsideRepository;
                reference.repository = StepsUp(mapFolder_, repository_);
            } else {
                return;
            }
        }
        findings_.push_back(FindingOf(std::move(reference), at, about));
    }

    Findings Take() { return std::move(findings_); }

  private:
    const tmx::TmxMap& map_;
    std::string mapFolder_;
    std::string repository_;
    std::set<std::pair<FileReference::File, std::string>> checked_;
    Findings findings_;
};

FindingSubject TilesetSubject(const tmx::TmxTileset& tileset) {
    FindingSubject about;
    about.element = FindingSubject::Element::Tileset;
    about.tileset = tileset.name();
    return about;
}

// How many cells of the map's tile layers each tileset paints.
std::vector<int64_t> CellsOfTilesets(const tmx::TmxMap& map) {
    std::vector<int64_t> cells(map.tilesets().size(), 0);
    for (const tmx::TmxLayer& layer : map.layers())
        for (const tmx::TmxChunk& chunk : layer.chunks())
            chunk.gids.WithIds([&](const auto* gids) {
                for (size_t k = 0; k < chunk.gids.size(); ++k) {
                    const int32_t index = layer.CellFromGid(gids[k]).tilesetIndex;
                    if (gids[k] != 0 && index >= 0) ++cells[static_cast<size_t>(index)];
                }
            });
    return cells;
}

// The names Tiled shows on the tilesets' tabs: a tileset kept in a file of
// its own takes its name from the file, read only where there is another
// tileset it could share it with.
std::vector<std::string> TilesetNames(const tmx::TmxMap& map) {
    std::vector<std::string> names;
    for (const tmx::TmxTileset& tileset : map.tilesets()) {
        names.push_back(
            tileset.name().empty() && !tileset.source().empty() && map.tilesets().size() > 1
                ? tmx::TilesetNameInFile(tmx::FileNamedFrom(map.directory(), tileset.source()))
                : tileset.name());
    }
    return names;
}

// A note for each name that tilesets from different files share, at the
// last of them: each file (a tileset held in the map is one of its own) with
// the cells its tilesets paint.
void CheckTilesetNames(const tmx::TmxMap& map, Findings& findings) {
    const std::vector<tmx::TmxTileset>& tilesets = map.tilesets();
    const std::vector<std::string> names = TilesetNames(map);
    std::vector<int64_t> cells;
    std::set<std::string> noted;
    for (size_t i = 0; i < tilesets.size(); ++i) {
        const std::string& name = names[i];
        if (name.empty() || !noted.insert(name).second) continue;
        finding::TilesetName same{name, {}};
        std::map<std::string, size_t> files;          // a file, and its use
        std::vector<std::pair<size_t, size_t>> uses;  // a tileset, and its file's use
        for (size_t j = i; j < tilesets.size(); ++j) {
            if (names[j] != name) continue;
            const std::string& source = tilesets[j].source();
            const auto [file, isNew] =
                files.try_emplace(source.empty() ? std::string("#").append(std::to_string(j))
                                                 : tmx::FileNamedFrom(map.directory(), source),
                                  same.uses.size());
            if (isNew) same.uses.push_back({source, 0});
            uses.emplace_back(j, file->second);
        }
        if (same.uses.size() < 2) continue;
        // The cells are counted only where there is a note to give them.
        if (cells.empty()) cells = CellsOfTilesets(map);
        for (const auto& [tileset, use] : uses)
            same.uses[use].cells += cells[tileset];
        const size_t last = uses.back().first;
        findings.push_back(
            FindingOf(std::move(same), tilesets[last].location(), TilesetSubject(tilesets[last])));
    }
}

}  // namespace

Findings FileReferenceFindings(const tmx::TmxMap& map, Repositories& repositories) {
    References references(map, repositories);
    using File = FileReference::File;
    for (const tmx::TmxTileset& tileset : map.tilesets()) {
        const FindingSubject about = TilesetSubject(tileset);
        if (!tileset.source().empty()) {
            references.Check(File::Tileset, tileset.source(), tileset.location(), about);
            continue;  // its images are its file's to name
        }
        if (tileset.image()) {
            references.Check(File::Image, tileset.image()->source(), tileset.location(), about);
        }
        for (const tmx::TmxTile& tile : tileset.tiles())
            if (tile.image()) {
                references.Check(File::Image, tile.image()->source(), tileset.location(), about);
            }
    }
    for (const tmx::TmxImageLayer& layer : map.imageLayers()) {
        if (!layer.image()) continue;
        FindingSubject about;
        about.element = FindingSubject::Element::Layer;
        about.layer = LayerPath(map, layer.orderIndex(), layer.name());
        about.layerId = layer.id();
        about.order = layer.orderIndex();
        references.Check(File::Image, layer.image()->source(), layer.location(), about);
    }
    // A template once, at the first object made from it, with how many are.
    std::map<std::string, int64_t> madeFrom;
    for (const tmx::TmxObjectGroup& group : map.objectGroups())
        for (const tmx::TmxObject& object : group.objects())
            ++madeFrom[object.templatePath()];
    for (const tmx::TmxObjectGroup& group : map.objectGroups())
        for (const tmx::TmxObject& object : group.objects()) {
            if (object.templatePath().empty()) continue;
            const FindingSubject about{FindingSubject::Element::Object,
                                       LayerPath(map, group.orderIndex(), group.name()),
                                       object.id(),
                                       object.name(),
                                       group.id(),
                                       group.orderIndex(),
                                       -1,
                                       static_cast<int32_t>(&object - group.objects().data())};
            references.Check(File::Template, object.templatePath(), object.location(), about,
                             madeFrom[object.templatePath()]);
        }
    Findings findings = references.Take();
    CheckTilesetNames(map, findings);
    return findings;
}
