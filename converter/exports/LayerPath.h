#pragma once

#include <cstdint>
#include <string>

#include "tmx/model/TmxMap.h"

// A layer or object group as a designer finds it in Tiled's Layers view: its
// name after those of the groups that hold it, "South/Ground". `orderIndex`
// is its place in the map's stacking order.
std::string LayerPath(const tmx::TmxMap& map, int32_t orderIndex, const std::string& name);

// A group layer the same way, its own name last.
std::string GroupPath(const tmx::TmxMap& map, size_t group);
