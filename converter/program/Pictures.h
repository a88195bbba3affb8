#pragma once

// How a run draws its picture: --preview-scale, --preview-whole-zone and
// --ground-art, the ground art read when the picture is drawn.

#include <optional>

#include "converter/findings/Diagnostics.h"
#include "converter/picture/GroundAtlas.h"
#include "converter/program/CommandLine.h"
#include "converter/review/ZonePicture.h"

class Pictures {
  public:
    explicit Pictures(const CommandLine& line);

    // The options of the picture; the art where --ground-art names an atlas
    // that can be read, and a note naming it where it cannot.
    PictureOptions Options(Diagnostics& diagnostics);

  private:
    const CommandLine& line_;
    std::optional<GroundAtlas> atlas_;
    bool read_ = false;
};
