#pragma once

// The benchmark's maps, generated in memory and the same on every run.

#include <cstdint>
#include <string>
#include <vector>

#include "Encoders.h"

enum class LayerEncoding { XmlTiles, Csv, Base64, Base64Zlib, Base64Gzip };
constexpr LayerEncoding kAllEncodings[] = {LayerEncoding::XmlTiles, LayerEncoding::Csv,
                                           LayerEncoding::Base64, LayerEncoding::Base64Zlib,
                                           LayerEncoding::Base64Gzip};

struct BenchInput {
    std::string name;
    std::string text;  // the whole TMX or JSON document
    bool json = false;
    LayerEncoding encoding = LayerEncoding::Csv;
    std::vector<std::vector<uint8_t>> compressed;  // per layer, for the inflate floor
    uint32_t layerBytes = 0;                       // 4 x width x height
};

std::vector<BenchInput> MakeBenchInputs();
