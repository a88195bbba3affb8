#pragma once

// How a run draws its pictures: --preview-scale, --preview-whole-zone and
// --ground-art (an atlas read once, or each map's own tiles).

#include <optional>
#include <string>

#include "converter/findings/Diagnostics.h"
#include "converter/picture/GroundAtlas.h"
#include "converter/program/CommandLine.h"
#include "converter/program/ZoneSource.h"
#include "converter/review/ZonePicture.h"

class Pictures {
  public:
    explicit Pictures(const CommandLine& line);

    // Whether maps are drawn in their own tiles (--ground-art=map): their
    // tilesets' images are read as they are loaded.
    bool WantsMapArt() const;

    // The art of the ground of the zone `path` holds, as loaded: the atlas,
    // or the map's own tiles; none for the codes' colours. A note for each
    // image that cannot be used, and for a zone script drawn in map tiles,
    // which has none.
    const GroundArt* ArtOf(const std::string& path, const LoadedZone* zone,
                           Diagnostics& diagnostics);

    // The options of a picture whose ground (the zone after's, for a change)
    // is drawn in `art`, and the zone before's in `before`.
    PictureOptions Options(const GroundArt* art, const GroundArt* before = nullptr,
                           const GameTables* tables = nullptr) const;

  private:
    const CommandLine& line_;
    std::optional<GroundAtlas> atlas_;
    bool read_ = false;
};

// The game's atlas at `path` for a tileset made of it: none, with a load
// error reported, where it cannot be used.
std::optional<GroundAtlas> AtlasFor(const std::string& path, Diagnostics& diagnostics);
