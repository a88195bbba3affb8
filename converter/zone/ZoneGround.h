#pragma once

#include <cstdint>
#include <vector>

#include "converter/zone/Zone.h"

// The ground as the game builds it from a zone script: every placement in
// order lays its block's 36 codes at its cells, a later one over an earlier
// one; cells past the zone's edge are dropped. Block ids play no part, so
// two zone scripts that number their blocks differently can have one ground.
class ZoneGround {
  public:
    explicit ZoneGround(const Zone& zone);

    int32_t At(int64_t column, int64_t row) const {
        return codes_[static_cast<size_t>(row) * kZoneCells + static_cast<size_t>(column)];
    }
    bool operator==(const ZoneGround&) const = default;

  private:
    std::vector<uint8_t> codes_;  // row by row; 0 where nothing is placed
};
