#pragma once

// The benchmark's maps, generated in memory and the same on every run.

#include <cstdint>
#include <string>
#include <vector>

#include "Encoders.h"

struct BenchInput {
    std::string name;
    std::string text;  // the whole TMX document
    LayerEncoding encoding = LayerEncoding::Csv;
    std::vector<std::vector<uint8_t>> compressed;  // per layer, for the inflate floor
    uint32_t layerBytes = 0;                       // 4 x width x height
};

std::vector<BenchInput> MakeBenchInputs();
