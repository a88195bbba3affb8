#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tmx {

// Reads the global tile ids of CSV layer data into `gids`, at most `limit` of
// them, and returns how many it read. Tokens are the runs between commas
// (several commas separate like one); each is read as sscanf("%u") would. A
// token without a number repeats the id before it; the first gives 0.
size_t DecodeCsvGids(std::string_view text, uint32_t* gids, size_t limit);

}  // namespace tmx
