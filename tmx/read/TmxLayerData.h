#pragma once

// The cells of a chunk from a layer's data, as both readers find it: base64
// (compressed as the layer says) or CSV text. Memory follows the data, not
// the size the chunk declares.

#include <string>
#include <string_view>

#include "tmx/model/TmxLayer.h"

namespace tmx {

// Decodes (and inflates) the ids straight into the chunk; what cannot be
// decoded is noted on `layer`.
void ReadBase64Cells(std::string_view text, TmxLayer& layer, TmxChunk& chunk);
void ReadCsvCells(const std::string& text, TmxChunk& chunk);

}  // namespace tmx
