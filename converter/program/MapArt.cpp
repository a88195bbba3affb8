#include "converter/program/MapArt.h"

#include <map>
#include <optional>

#include "converter/exports/DecidingTiles.h"
#include "converter/findings/FindingSubject.h"
#include "converter/picture/Png.h"
#include "converter/zone/ZoneGround.h"
#include "platform/FileText.h"
#include "tmx/read/TmxFileName.h"
#include "tmx/read/TmxTilesetFile.h"

namespace {

// "ff00ff" or "#ff00ff" as a colour; none where it is no such text.
std::optional<Rgb> ColourOf(std::string text) {
    if (!text.empty() && text[0] == '#') text.erase(0, 1);
    if (text.size() != 6 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        return std::nullopt;
    const auto channel = [&](size_t at) {
        return static_cast<uint8_t>(std::stoi(text.substr(at, 2), nullptr, 16));
    };
    return Rgb{channel(0), channel(2), channel(4)};
}

// The images read so far, by path: their index in the art, or -1 where they
// could not be used (and said so once).
class Images {
  public:
    Images(TileArt& art, std::vector<ArtProblem>& problems) : art_(art), problems_(problems) {}

    // The image at `path`, its pixels of the colour `transparent` names made
    // transparent; its index, or -1.
    int32_t Read(const std::string& path, const std::string& transparent) {
        const auto known = indexes_.find(path);
        if (known != indexes_.end()) return known->second.first;
        const platform::FileText file = platform::ReadFileText(path, 0);
        std::string problem = file.problem;
        std::optional<PngImage> image;
        if (problem.empty()) image = DecodePng(file.text, problem);
        if (!image) {
            Say(path, problem);
            indexes_[path] = {-1, {0, 0}};
            return -1;
        }
        if (const std::optional<Rgb> colour = ColourOf(transparent)) {
            for (size_t i = 0; i < image->rgba.size(); i += 4) {
                if (image->rgba[i] == colour->r && image->rgba[i + 1] == colour->g &&
                    image->rgba[i + 2] == colour->b)
                    image->rgba[i + 3] = 0;
            }
        }
        const std::pair<int32_t, int32_t> size{image->width, image->height};
        const int32_t index = art_.AddImage(std::move(*image));
        indexes_[path] = {index, size};
        return index;
    }
    // The width and height of an image read.
    std::pair<int32_t, int32_t> SizeOf(const std::string& path) const {
        const auto known = indexes_.find(path);
        return known == indexes_.end() ? std::pair{0, 0} : known->second.second;
    }
    // A problem of a file, said once for it.
    void Say(const std::string& path, std::string problem) {
        if (said_.emplace(path, true).second) problems_.push_back({path, std::move(problem)});
    }

  private:
    TileArt& art_;
    std::vector<ArtProblem>& problems_;
    std::map<std::string, std::pair<int32_t, std::pair<int32_t, int32_t>>> indexes_;
    std::map<std::string, bool> said_;
};

// Where a tile of a tileset is drawn from: an image and a rectangle of it;
// image -1 where it has no art.
struct TileSource {
    int32_t image = -1;
    ImagePart part;
};

TileSource SourceOf(const tmx::TmxMap& map, const tmx::TmxTileset& tileset, int32_t localId,
                    Images& images) {
    if (!tileset.source().empty() && tileset.imageFolder().empty()) {
        // Its file was not read: nothing of it is known.
        images.Say(tmx::FileNamedFrom(map.directory(), tileset.source()),
                   "the tileset file cannot be read");
        return {};
    }
    const std::string& folder =
        tileset.imageFolder().empty() ? map.directory() : tileset.imageFolder();
    if (tileset.image() && !tileset.image()->source().empty()) {
        // A sheet: tiles of one size in rows, between its margin and spacing.
        const std::string path = tmx::FileNamedFrom(folder, tileset.image()->source());
        const int32_t image = images.Read(path, tileset.image()->transparentColor());
        if (image < 0) return {};
        const auto [width, height] = images.SizeOf(path);
        const int32_t across = tileset.tileWidth() + tileset.spacing();
        const int32_t down = tileset.tileHeight() + tileset.spacing();
        const int32_t columns =
            tileset.columns() > 0
                ? tileset.columns()
                : (across > 0 ? (width - 2 * tileset.margin() + tileset.spacing()) / across : 0);
        ImagePart part;
        if (columns > 0 && localId >= 0) {
            part = {tileset.margin() + localId % columns * across,
                    tileset.margin() + localId / columns * down, tileset.tileWidth(),
                    tileset.tileHeight()};
        }
        if (part.width <= 0 || part.height <= 0 || part.x + part.width > width ||
            part.y + part.height > height) {
            images.Say(path, "tile " + std::to_string(localId) + " lies outside it");
            return {};
        }
        return {image, part};
    }
    // A collection: each tile its own image.
    for (const tmx::TmxTile& tile : tileset.tiles()) {
        if (tile.id() != localId || !tile.image() || tile.image()->source().empty()) continue;
        const std::string path = tmx::FileNamedFrom(folder, tile.image()->source());
        const int32_t image = images.Read(path, tile.image()->transparentColor());
        const auto [width, height] = images.SizeOf(path);
        if (image < 0 || width <= 0 || height <= 0) return {};
        return {image, {0, 0, width, height}};
    }
    images.Say(map.sourcePath(), "its tileset " + Quoted(tileset.name()) +
                                     " has no image of tile " + std::to_string(localId));
    return {};
}

}  // namespace

std::unique_ptr<TileArt> MapArtOf(tmx::TmxMap& map, const Zone& zone,
                                  std::vector<ArtProblem>& problems) {
    tmx::ReadTilesetArt(map);
    auto art = std::make_unique<TileArt>();
    Images images(*art, problems);
    // Each tile looked up once, however many cells it decides.
    std::map<std::pair<int32_t, int32_t>, TileSource> sources;
    const ZoneGround ground(zone);
    const std::vector<tmx::TmxCell> tiles = DecidingTiles(map);
    for (int32_t row = 0; row < kZoneCells; ++row) {
        for (int32_t column = 0; column < kZoneCells; ++column) {
            const tmx::TmxCell& cell =
                tiles[static_cast<size_t>(row) * kZoneCells + static_cast<size_t>(column)];
            if (ground.At(column, row) == 0 || cell.tilesetIndex < 0) continue;
            const auto key = std::pair{cell.tilesetIndex, cell.localId};
            auto found = sources.find(key);
            if (found == sources.end()) {
                const tmx::TmxTileset& tileset =
                    map.tilesets()[static_cast<size_t>(cell.tilesetIndex)];
                found = sources.emplace(key, SourceOf(map, tileset, cell.localId, images)).first;
            }
            if (found->second.image < 0) continue;
            ImagePart part = found->second.part;
            part.flipHorizontal = cell.flipHorizontal;
            part.flipVertical = cell.flipVertical;
            part.flipDiagonal = cell.flipDiagonal;
            art->SetCell(column, row, found->second.image, part);
        }
    }
    return art;
}
