// Benchmarks of the converter against its floor, the XML parse of the same
// text, in process (Google Benchmark) and as whole processes; prints one
// table with the ratios and their targets.
//
//   velt_bench DIR [google benchmark flags]
//
// writes the maps and the in-process figures to DIR for bench_process, which
// times whole processes and prints the table.

#include <benchmark/benchmark.h>
#include <simdjson.h>
#include <tinyxml.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "BenchInputs.h"
#include "FloorInflate.h"
#include "converter/exports/ConvertMap.h"
#include "converter/picture/GroundAtlas.h"
#include "converter/picture/GroundCodesTileset.h"
#include "converter/program/MapArt.h"
#include "converter/review/ZoneDiff.h"
#include "converter/review/ZonePicture.h"
#include "converter/zone/ZoneWriter.h"
#include "tmx/model/TmxMap.h"

namespace {

constexpr int kBatchMaps = 500;

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// The unavoidable work: the XML or JSON library builds (and frees) the
// document, and zlib inflates compressed layers into buffers of the grid's size.
void Floor(const BenchInput& input) {
    if (input.json) {
        simdjson::dom::parser parser;
        simdjson::dom::element document;
        if (parser.parse(input.text).get(document) == simdjson::SUCCESS) FloorJsonLayers(document);
        return;
    } else {
        TiXmlDocument document;
        document.Parse(input.text.c_str(), nullptr, TIXML_DEFAULT_ENCODING);
        benchmark::DoNotOptimize(document.Error());
    }
    std::vector<uint8_t> buffer(input.layerBytes);
    for (const std::vector<uint8_t>& stream : input.compressed) {
        FloorInflate(stream, buffer);
        benchmark::DoNotOptimize(buffer.data());
    }
}

void Convert(const BenchInput& input) {
    tmx::TmxMap map;
    map.LoadFromText(input.text);
    const ConvertedMap converted = ConvertMap(map);
    const std::string script = WriteZoneScript(converted.zone);
    benchmark::DoNotOptimize(converted.findings.data());
    benchmark::DoNotOptimize(script.data());
}

struct InProcess {
    double floorMs = 0;
    double loadMs = 0;
    double convertMs = 0;
};
std::map<std::string, InProcess> inProcess;

void Measure(benchmark::State& state, const BenchInput& input) {
    InProcess total;
    int64_t rounds = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        Floor(input);
        const auto t1 = Clock::now();
        {
            tmx::TmxMap map;
            map.LoadFromText(input.text);
            benchmark::DoNotOptimize(map.layers().data());
        }
        const auto t2 = Clock::now();
        Convert(input);
        const auto t3 = Clock::now();
        total.floorMs += Milliseconds(t1 - t0);
        total.loadMs += Milliseconds(t2 - t1);
        total.convertMs += Milliseconds(t3 - t2);
        state.SetIterationTime(std::chrono::duration<double>(t3 - t0).count());
        ++rounds;
    }
    const double n = static_cast<double>(rounds);
    InProcess& result = inProcess[input.name];
    result = {total.floorMs / n, total.loadMs / n, total.convertMs / n};
    state.counters["floor_ms"] = result.floorMs;
    state.counters["load_ms"] = result.loadMs;
    state.counters["convert_ms"] = result.convertMs;
    state.counters["load/floor"] = result.loadMs / result.floorMs;
    state.counters["convert/floor"] = result.convertMs / result.floorMs;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: velt_bench DIR [benchmark flags]\n");
        return 2;
    }
    const std::string outputDir = argv[1];
    argv[1] = argv[0];
    --argc;
    ++argv;
    const std::vector<BenchInput> inputs = MakeBenchInputs();
    for (const BenchInput& input : inputs) {
        // About a second of work per input, at least two rounds.
        const int64_t rounds = std::clamp<int64_t>(
            static_cast<int64_t>(60e6 / static_cast<double>(input.text.size())), 2, 50);
        benchmark::RegisterBenchmark(input.name.c_str(), Measure, input)
            ->Iterations(rounds)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    // The maps as files, with what was measured here, for bench_process.
    std::filesystem::create_directories(outputDir);
    std::FILE* results = std::fopen((outputDir + "/results.tsv").c_str(), "w");
    for (size_t i = 0; i < inputs.size(); ++i) {
        const BenchInput& input = inputs[i];
        const auto found = inProcess.find(input.name);
        if (found == inProcess.end()) continue;  // filtered out
        const std::string file =
            outputDir + "/map" + std::to_string(i) + (input.json ? ".tmj" : ".tmx");
        std::FILE* out = std::fopen(file.c_str(), "wb");
        std::fwrite(input.text.data(), 1, input.text.size(), out);
        std::fclose(out);
        const bool large = input.layerBytes >= 4u * 1024u * 1024u;
        const char* target = !large                                      ? "-"
                             : input.json                                ? "1.2"
                             : input.encoding == LayerEncoding::XmlTiles ? "1.3"
                                                                         : "1.15";
        // Whole-process targets: time and instructions against the floor's;
        // peak memory as a ratio on large maps, in MiB over it ("+") on small.
        const bool typical =
            input.name == "128x128 1 layer csv" || input.name.find(" zone: ") != std::string::npos;
        const char* process = input.name == "one cell"                     ? "1.1"
                              : typical                                    ? "1.2"
                              : large                                      ? "1.1"
                              : input.name == "128x128 csv + 2000 objects" ? "1.5"
                                                                           : "-";
        const char* instructions = input.name == "one cell" ? "1.1" : typical ? "1.2" : "-";
        const char* memory = large ? "1.25" : "+1.5";
        std::fprintf(results, "%s\t%s\t%zu\t%.3f\t%.3f\t%.3f\t%s\t%s\t%s\t%s\n", file.c_str(),
                     input.name.c_str(), input.text.size(), found->second.floorMs,
                     found->second.loadMs, found->second.convertMs, target, process, instructions,
                     memory);
    }
    std::fclose(results);

    // The game's tables, for the cost of the checks they turn on: every
    // ground code named and walkable (a zone one walkable area, walked whole),
    // and a thousand mobs.
    std::FILE* ground = std::fopen((outputDir + "/ground.tsv").c_str(), "w");
    std::fprintf(ground, "code\tname\tcolour\twalkable\n");
    for (int code = 1; code < 256; ++code)
        std::fprintf(ground, "%d\tkind %d\t#%06x\tyes\n", code, code, code * 65793);
    std::fclose(ground);
    std::FILE* mobs = std::fopen((outputDir + "/mobs.tsv").c_str(), "w");
    std::fprintf(mobs, "number\tname\n");
    for (int number = 1; number <= 1000; ++number)
        std::fprintf(mobs, "%d\tMob of the glade %d\n", number, number);
    std::fclose(mobs);

    // A project's worth of zones in one folder, for the batch figures: each
    // the 128 x 128 CSV map.
    std::filesystem::remove_all(outputDir + "/batch");
    std::filesystem::create_directories(outputDir + "/batch");
    for (const BenchInput& input : inputs) {
        if (input.name != "128x128 1 layer csv") continue;
        for (int i = 0; i < kBatchMaps; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "/batch/zone-%03d.tmx", i);
            std::FILE* out = std::fopen((outputDir + name).c_str(), "wb");
            std::fwrite(input.text.data(), 1, input.text.size(), out);
            std::fclose(out);
        }
    }

    // The preview of a full 128 x 128 zone against converting the map that
    // gives it: best of ten rounds each. The ground art is an atlas of 32 x 26
    // tiles of 16 x 16 pixels (the ground codes tileset's picture), read from
    // its PNG bytes each round.
    const std::string atlasPng = DrawGroundCodesTileset();
    for (const BenchInput& input : inputs) {
        if (input.json || input.encoding != LayerEncoding::Csv || input.compressed.size() > 0 ||
            input.name.find("objects") != std::string::npos) {
            continue;
        }
        double convertMs = 1e300;
        double previewMs = 1e300;
        double artMs = 1e300;      // the preview with the ground art
        double sameMs = 1e300;     // the comparison with itself: nothing changed
        double emptiedMs = 1e300;  // with an empty zone: every cell and marker changed
        double changeMs = 1e300;   // the picture of that change, side by side
        size_t bytes = 0;
        for (int round = 0; round < 10; ++round) {
            const auto t0 = Clock::now();
            tmx::TmxMap map;
            map.LoadFromText(input.text);
            const Zone zone = ConvertMap(map).zone;
            const auto t1 = Clock::now();
            bytes = DrawZonePicture(zone, {}).size();
            const auto t2 = Clock::now();
            std::string problem;
            const std::optional<GroundAtlas> atlas = GroundAtlas::FromPng(atlasPng, problem);
            benchmark::DoNotOptimize(DrawZonePicture(zone, {kDefaultPictureScale, false, &*atlas}));
            const auto t3 = Clock::now();
            benchmark::DoNotOptimize(DiffZones(zone, zone).empty());
            const auto t4 = Clock::now();
            const Zone empty;
            const ZoneChanges emptied = DiffZones(empty, zone);
            const auto t5 = Clock::now();
            benchmark::DoNotOptimize(DrawZoneChange(empty, zone, emptied, {}).size());
            const auto t6 = Clock::now();
            convertMs = std::min(convertMs, Milliseconds(t1 - t0));
            previewMs = std::min(previewMs, Milliseconds(t2 - t1));
            artMs = std::min(artMs, Milliseconds(t3 - t2));
            sameMs = std::min(sameMs, Milliseconds(t4 - t3));
            emptiedMs = std::min(emptiedMs, Milliseconds(t5 - t4));
            changeMs = std::min(changeMs, Milliseconds(t6 - t5));
        }
        std::printf(
            "preview of the full zone of %-22s %7.2f ms (%zu bytes of PNG); converting it %8.2f "
            "ms\n",
            input.name.c_str(), previewMs, bytes, convertMs);
        std::printf("  with --ground-art (the atlas read, then drawn): %.2f ms\n", artMs);
        // --diff converts both sides; what it adds is the comparison (and the picture).
        std::printf(
            "  --diff: comparing it with itself %.3f ms, with an empty zone %.3f ms (%.1f %% of "
            "converting it); the picture of that change, side by side, %.2f ms\n",
            sameMs, emptiedMs, 100 * emptiedMs / convertMs, changeMs);
    }

    // The example in its own tiles (--ground-art=map): the map loaded and
    // converted, then its tileset's file and image read and the picture
    // drawn; best of ten rounds each.
    double loadMs = 1e300;
    double mapArtMs = 1e300;
    for (int round = 0; round < 10; ++round) {
        const auto t0 = Clock::now();
        tmx::TmxMap map;
        map.LoadFromFile(SOURCE_DIR "/examples/village.tmx");
        const Zone zone = ConvertMap(map).zone;
        const auto t1 = Clock::now();
        std::vector<ArtProblem> problems;
        const std::unique_ptr<TileArt> art = MapArtOf(map, zone, problems);
        benchmark::DoNotOptimize(DrawZonePicture(zone, {kDefaultPictureScale, false, art.get()}));
        const auto t2 = Clock::now();
        loadMs = std::min(loadMs, Milliseconds(t1 - t0));
        mapArtMs = std::min(mapArtMs, Milliseconds(t2 - t1));
    }
    std::printf(
        "the example in its own tiles (--ground-art=map): %.2f ms, the tileset's image read; "
        "converting it %.2f ms\n",
        mapArtMs, loadMs);
    return 0;
}
