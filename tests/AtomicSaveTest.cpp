// What no case can time: an interrupt while the zone script is being written
// leaves neither half a file nor the temporary one.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "AtomicSave.h"

namespace {

TEST(AtomicSave, AnInterruptLeavesNoTemporaryFile) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("velt-save-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        const std::string bytes(size_t{256} << 20, 'x');  // long enough to catch in the act
        SaveAtomically((folder / "zone.txt").string(), bytes);
        _exit(0);
    }
    bool seen = false;
    for (int waited = 0; waited < 20000 && !seen; ++waited) {
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            seen = seen || entry.path().filename().string().rfind(".velt-", 0) == 0;
        if (!seen) usleep(500);
    }
    kill(child, SIGINT);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(seen);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) << status;
    EXPECT_TRUE(std::filesystem::is_empty(folder));
    std::filesystem::remove_all(folder);
}

}  // namespace
