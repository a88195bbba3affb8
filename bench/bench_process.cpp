// Times whole processes: the floor program and the converter on each map
// that velt_bench wrote, and prints one table with the in-process figures;
// then the converter alone on each of the largest inputs it accepts (the
// README's limits table). A lean process of its own, so that a child's peak
// memory is its own.
//
//   bench_process DIR [LARGE_MAP ...]

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct ProcessRun {
    double ms = 1e300;  // the fastest of the runs
    long maxRssKiB = 0;
};

void RunOnce(const std::vector<std::string>& args, ProcessRun& run) {
    const auto started = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        std::vector<char*> argv;
        for (const std::string& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        if (!freopen("/dev/null", "w", stderr)) _exit(126);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    run.ms =
        std::min(run.ms, std::chrono::duration<double, std::milli>(Clock::now() - started).count());
    run.maxRssKiB = std::max(run.maxRssKiB, usage.ru_maxrss);
}

std::string Check(double value, const std::string& limit) {
    if (limit == "-") return "";
    return value <= std::atof(limit.c_str()) ? " ok" : " MISS";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_process DIR\n");
        return 2;
    }
    std::ifstream results(std::string(argv[1]) + "/results.tsv");
    std::printf("%-28s %7s | %8s %8s %8s %5s %9s | %8s %8s %9s | %7s %7s %8s\n", "input", "MiB",
                "floor", "load", "convert", "l/f", "c/f", "p.floor", "p.conv", "ratio", "rss.fl",
                "rss.cv", "ratio");
    bool allMet = true;
    for (std::string line; std::getline(results, line);) {
        std::istringstream fields(line);
        std::string file, name, size, floorMs, loadMs, convertMs, convertLimit, processLimit;
        std::getline(fields, file, '\t');
        std::getline(fields, name, '\t');
        std::getline(fields, size, '\t');
        std::getline(fields, floorMs, '\t');
        std::getline(fields, loadMs, '\t');
        std::getline(fields, convertMs, '\t');
        std::getline(fields, convertLimit, '\t');
        std::getline(fields, processLimit, '\t');
        ProcessRun floor;
        ProcessRun convert;
        const int runs = std::atof(size.c_str()) > 20e6 ? 3 : 10;
        for (int i = 0; i < runs; ++i) {
            RunOnce({BENCH_FLOOR_PATH, file}, floor);
            RunOnce({CONVERTER_PATH, file}, convert);
        }
        const double fl = std::atof(floorMs.c_str());
        const double ld = std::atof(loadMs.c_str());
        const double cv = std::atof(convertMs.c_str());
        const double processRatio = convert.ms / floor.ms;
        const double rssRatio =
            static_cast<double>(convert.maxRssKiB) / static_cast<double>(floor.maxRssKiB);
        const std::string c = Check(cv / fl, convertLimit);
        const std::string p = Check(processRatio, processLimit);
        const std::string r = Check(rssRatio, "1.3");
        allMet = allMet && c.find("MISS") == std::string::npos &&
                 p.find("MISS") == std::string::npos && r.find("MISS") == std::string::npos;
        std::printf(
            "%-28s %7.2f | %8.2f %8.2f %8.2f %5.2f %4.2f%-5s | %8.2f %8.2f %4.2f%-5s | "
            "%7.1f %7.1f %4.2f%-4s\n",
            name.c_str(), std::atof(size.c_str()) / (1 << 20), fl, ld, cv, ld / fl, cv / fl,
            c.c_str(), floor.ms, convert.ms, processRatio, p.c_str(),
            static_cast<double>(floor.maxRssKiB) / 1024,
            static_cast<double>(convert.maxRssKiB) / 1024, rssRatio, r.c_str());
    }
    std::printf(
        "\nms; in process: mean of the rounds; processes: fastest of the runs; peak RSS in "
        "MiB.\nTargets: c/f <= 1.15 (1.3 for XML tiles) on the large maps; whole process "
        "<= 1.5 x floor on the map with objects; peak RSS <= 1.3 x floor.\n%s\n",
        allMet ? "All targets met." : "Some targets missed.");

    // A folder of zones in one run, on one thread and on two, against one
    // process a map.
    const std::string batch = std::string(argv[1]) + "/batch";
    std::vector<std::string> batchMaps;
    for (const auto& entry : std::filesystem::directory_iterator(batch))
        if (entry.path().extension() == ".tmx") batchMaps.push_back(entry.path().string());
    if (!batchMaps.empty()) {
        ProcessRun oneThread;
        ProcessRun twoThreads;
        for (int run = 0; run < 5; ++run) {
            RunOnce({CONVERTER_PATH, "-j", "1", batch}, oneThread);
            RunOnce({CONVERTER_PATH, "-j", "2", batch}, twoThreads);
        }
        const auto started = Clock::now();
        ProcessRun each;
        for (const std::string& map : batchMaps)
            RunOnce({CONVERTER_PATH, map}, each);
        const double eachMs =
            std::chrono::duration<double, std::milli>(Clock::now() - started).count();
        const double speedUp = oneThread.ms / twoThreads.ms;
        const double oneProcess = eachMs / oneThread.ms;
        std::printf(
            "\nbatch: a folder of %zu 128 x 128 zones, one process: -j 1 %.1f ms, -j 2 %.1f ms, "
            "%.2f x as fast%s;\n       one process a map %.1f ms, %.2f x the folder's one "
            "process on one thread%s\n",
            batchMaps.size(), oneThread.ms, twoThreads.ms, speedUp,
            speedUp >= 1.8 ? " ok" : " MISS (target 1.8)", eachMs, oneProcess,
            oneProcess > 1 ? " ok" : " MISS");
    }

    if (argc > 2)
        std::printf("\n%-32s %9s %9s %9s\n", "largest inputs", "file MiB", "ms", "peak MiB");
    for (int i = 2; i < argc; ++i) {
        ProcessRun convert;
        for (int run = 0; run < 3; ++run)
            RunOnce({CONVERTER_PATH, argv[i]}, convert);
        std::ifstream file(argv[i], std::ios::binary | std::ios::ate);
        const char* slash = std::strrchr(argv[i], '/');
        std::printf("%-32s %9.2f %9.1f %9.1f\n", slash != nullptr ? slash + 1 : argv[i],
                    static_cast<double>(file.tellg()) / (1 << 20), convert.ms,
                    static_cast<double>(convert.maxRssKiB) / 1024);
    }
    return 0;
}
