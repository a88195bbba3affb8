// Times whole processes: the floor program and the converter on each map
// that velt_bench wrote, and prints one table with the in-process figures;
// then the converter alone on each of the largest inputs it accepts (the
// README's limits table). A lean process of its own, so that a child's peak
// memory is its own. Each ratio is compared with bench/figures.tsv, the
// figures of the last change that recorded them: what costs more says so.
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
#include <map>
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

// The instructions a whole run executes, the dynamic loader's included, as
// valgrind's callgrind counts them; 0 where valgrind is not installed.
double Instructions(const std::vector<std::string>& args) {
    static const bool there = std::system("valgrind --version >/dev/null 2>&1") == 0;
    if (!there) return 0;
    char log[] = "/tmp/bench-callgrind-XXXXXX";
    const int fd = mkstemp(log);
    if (fd < 0) return 0;
    close(fd);
    std::string command = "valgrind --tool=callgrind --callgrind-out-file=/dev/null --log-file=";
    command += log;
    for (const std::string& arg : args)
        command += " '" + arg + "'";
    command += " >/dev/null 2>&1";
    double collected = 0;
    // The converter's status says what it found; the count is in the log.
    if (std::system(command.c_str()) != -1) {
        std::ifstream text(log);
        for (std::string line; std::getline(text, line);) {
            const size_t at = line.find("Collected : ");
            if (at != std::string::npos) collected = std::atof(line.c_str() + at + 12);
        }
    }
    std::remove(log);
    return collected;
}

// Today's figures, as bench/figures.tsv records them: input, then the
// whole-process ratios of time, instructions and peak memory.
struct Figures {
    double time = 0;
    double instructions = 0;
    double memory = 0;
};

std::map<std::string, Figures> ReadFigures(const std::string& path) {
    std::map<std::string, Figures> figures;
    std::ifstream text(path);
    for (std::string line; std::getline(text, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string name;
        Figures f;
        std::getline(fields, name, '\t');
        fields >> f.time >> f.instructions >> f.memory;
        figures[name] = f;
    }
    return figures;
}

// What costs more than the recorded figure, beyond the noise of each measure:
// times vary by a tenth from run to run on a quiet machine, instructions and
// peak memory by far less.
std::string Dearer(const Figures& now, const Figures& was) {
    std::string said;
    char words[96];
    if (was.time > 0 && now.time > was.time * 1.2) {
        std::snprintf(words, sizeof words, " time %.2f (was %.2f)", now.time, was.time);
        said += words;
    }
    if (was.instructions > 0 && now.instructions > 0 &&
        now.instructions > was.instructions * 1.02) {
        std::snprintf(words, sizeof words, " instructions %.3f (was %.3f)", now.instructions,
                      was.instructions);
        said += words;
    }
    if (was.memory > 0 && now.memory > was.memory * 1.04) {
        std::snprintf(words, sizeof words, " peak memory %.2f (was %.2f)", now.memory, was.memory);
        said += words;
    }
    return said;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_process DIR [LARGE_MAP ...]\n");
        return 2;
    }
    std::ifstream results(std::string(argv[1]) + "/results.tsv");
    const std::map<std::string, Figures> recorded = ReadFigures(SOURCE_DIR "/bench/figures.tsv");
    std::ofstream today(std::string(argv[1]) + "/figures.tsv");
    today << "# input\ttime\tinstructions\tpeak memory: whole process, converter / floor\n";
    std::printf("%-36s %6s | %7s %7s %7s %5s %9s | %7s %7s %9s | %6s %6s %9s | %6s %6s %9s\n",
                "input", "MiB", "floor", "load", "convert", "l/f", "c/f", "p.floor", "p.conv",
                "ratio", "Mi.fl", "Mi.cv", "ratio", "rss.fl", "rss.cv", "ratio");
    bool allMet = true;
    std::string dearer;
    for (std::string line; std::getline(results, line);) {
        std::istringstream fields(line);
        std::string file, name, size, floorMs, loadMs, convertMs, convertLimit, processLimit,
            instructionLimit, memoryLimit;
        for (std::string* field : {&file, &name, &size, &floorMs, &loadMs, &convertMs,
                                   &convertLimit, &processLimit, &instructionLimit, &memoryLimit})
            std::getline(fields, *field, '\t');
        ProcessRun floor;
        ProcessRun convert;
        const int runs = std::atof(size.c_str()) > 20e6 ? 3 : 10;
        for (int i = 0; i < runs; ++i) {
            RunOnce({BENCH_FLOOR_PATH, file}, floor);
            RunOnce({CONVERTER_PATH, file}, convert);
        }
        // Counted on the maps a team converts by the hundred; the large ones
        // would take minutes under valgrind.
        const bool counted = std::atof(size.c_str()) < 2e6;
        const double floorInstructions = counted ? Instructions({BENCH_FLOOR_PATH, file}) : 0;
        const double convertInstructions = counted ? Instructions({CONVERTER_PATH, file}) : 0;
        const double instructionRatio =
            floorInstructions > 0 ? convertInstructions / floorInstructions : 0;
        const double fl = std::atof(floorMs.c_str());
        const double ld = std::atof(loadMs.c_str());
        const double cv = std::atof(convertMs.c_str());
        const double processRatio = convert.ms / floor.ms;
        const double rssRatio =
            static_cast<double>(convert.maxRssKiB) / static_cast<double>(floor.maxRssKiB);
        const double rssOverMiB = static_cast<double>(convert.maxRssKiB - floor.maxRssKiB) / 1024;
        const std::string c = Check(cv / fl, convertLimit);
        const std::string p = Check(processRatio, processLimit);
        const std::string i =
            instructionRatio > 0 ? Check(instructionRatio, instructionLimit) : std::string();
        const std::string r = memoryLimit[0] == '+' ? Check(rssOverMiB, memoryLimit.substr(1))
                                                    : Check(rssRatio, memoryLimit);
        for (const std::string* check : {&c, &p, &i, &r})
            allMet = allMet && check->find("MISS") == std::string::npos;
        std::printf(
            "%-36s %6.2f | %7.2f %7.2f %7.2f %5.2f %4.2f%-5s | %7.2f %7.2f %4.2f%-5s | "
            "%6.1f %6.1f %4.2f%-5s | %6.1f %6.1f %4.2f%-4s\n",
            name.c_str(), std::atof(size.c_str()) / (1 << 20), fl, ld, cv, ld / fl, cv / fl,
            c.c_str(), floor.ms, convert.ms, processRatio, p.c_str(), floorInstructions / 1e6,
            convertInstructions / 1e6, instructionRatio, i.c_str(),
            static_cast<double>(floor.maxRssKiB) / 1024,
            static_cast<double>(convert.maxRssKiB) / 1024, rssRatio, r.c_str());
        const Figures now{processRatio, instructionRatio, rssRatio};
        char row[160];
        std::snprintf(row, sizeof row, "%s\t%.2f\t%.3f\t%.2f\n", name.c_str(), now.time,
                      now.instructions, now.memory);
        today << row;
        const auto was = recorded.find(name);
        if (was != recorded.end()) {
            const std::string said = Dearer(now, was->second);
            if (!said.empty()) dearer += "  " + name + ":" + said + "\n";
        }
    }
    std::printf(
        "\nms; in process: mean of the rounds; processes: fastest of the runs; Mi: millions of "
        "instructions (valgrind); peak RSS in MiB.\nTargets: c/f <= 1.15 (1.3 for XML tiles, 1.2 "
        "for JSON) on the large maps; whole process <= 1.1 x floor on the large maps and the "
        "one-cell map, 1.2 on the 128 x 128 zone, 1.5 on the map with 2,000 objects; peak RSS <= "
        "1.25 x floor on the large maps, within 1.5 MiB of it on the small.\n%s\n",
        allMet ? "All targets met." : "Some targets missed.");
    std::printf("%s",
                dearer.empty()
                    ? "Nothing costs more than bench/figures.tsv records.\n"
                    : ("Costs more than bench/figures.tsv records (this run's figures are in " +
                       std::string(argv[1]) + "/figures.tsv):\n" + dearer)
                          .c_str());

    // What the game's tables cost a typical zone: the checks they turn on
    // (names, unknown codes and mobs, where a player can walk) and reading
    // them, against the same conversion without.
    const std::string dir = argv[1];
    std::ifstream listed(dir + "/results.tsv");
    for (std::string line; std::getline(listed, line);) {
        const std::string file = line.substr(0, line.find('\t'));
        if (line.find("\t128x128 zone: ") == std::string::npos) continue;
        const std::vector<std::vector<std::string>> runs = {
            {CONVERTER_PATH, file},
            {CONVERTER_PATH, "--ground-table=" + dir + "/ground.tsv", file},
            {CONVERTER_PATH, "--ground-table=" + dir + "/ground.tsv",
             "--mob-table=" + dir + "/mobs.tsv", file}};
        std::vector<ProcessRun> times(runs.size());
        for (int round = 0; round < 20; ++round) {
            for (size_t i = 0; i < runs.size(); ++i)
                RunOnce(runs[i], times[i]);
        }
        std::printf("\nthe 128 x 128 zone with the game's tables, whole process:\n");
        const char* said[] = {"no table", "ground table (walkable)", "both tables (1,000 mobs)"};
        const double plain = Instructions(runs[0]);
        for (size_t i = 0; i < runs.size(); ++i) {
            const double instructions = i == 0 ? plain : Instructions(runs[i]);
            std::printf("  %-26s %6.2f ms (+%.2f), %6.2f M instructions (+%.2f)\n", said[i],
                        times[i].ms, times[i].ms - times[0].ms, instructions / 1e6,
                        (instructions - plain) / 1e6);
        }
    }

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
