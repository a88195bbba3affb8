#pragma once

// Runs the built converter as a user would, and reports what it did.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "TestSupport.h"

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
    double seconds = 0;  // wall time
    long maxRssMiB = 0;  // peak resident memory
};

// Runs the converter in `dir` with `args` (exactly as given, no shell). With
// `unprivileged`, a run as root drops to "nobody" so that permissions bite.
inline Outcome Convert(const ScratchDir& dir, const std::vector<std::string>& args,
                       bool unprivileged = false, const std::string& program = CONVERTER_PATH) {
    const std::string outPath = dir / ".stdout";
    const std::string errPath = dir / ".stderr";
    std::fflush(nullptr);  // or the child would print what the parent has buffered
    const auto started = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        if (chdir(dir.path().c_str()) != 0) _exit(126);
        if (!freopen(outPath.c_str(), "w", stdout) || !freopen(errPath.c_str(), "w", stderr)) {
            _exit(126);
        }
        if (unprivileged && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
            _exit(126);
        }
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int raw = 0;
    rusage usage{};
    wait4(child, &raw, 0, &usage);
    const auto elapsed = std::chrono::steady_clock::now() - started;
    Outcome outcome{WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw), ReadFile(outPath),
                    ReadFile(errPath), std::chrono::duration<double>(elapsed).count(),
                    usage.ru_maxrss / 1024};
    std::filesystem::remove(outPath);
    std::filesystem::remove(errPath);
    return outcome;
}

inline std::vector<std::string> FilesIn(const ScratchDir& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}
