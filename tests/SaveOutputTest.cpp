// What no case can time: an interrupt while the zone script is being written
// leaves neither half a file nor the temporary one.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/SaveOutput.h"

namespace {

using platform::SaveError;
using platform::SaveOutput;
using platform::TemporaryFile;

// Whether `pid` holds a file open in `folder`: the file being written,
// named or not.
bool WritesInto(pid_t pid, const std::filesystem::path& folder) {
    std::error_code error;
    for (const auto& entry :
         std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/fd", error)) {
        const std::string target = std::filesystem::read_symlink(entry.path(), error).string();
        if (target.rfind(folder.string() + "/", 0) == 0) return true;
    }
    return false;
}

// A child saving a large zone script over an old one, ended by `signal`
// while it writes: the folder holds the old zone script and nothing else.
void EndWhileWriting(TemporaryFile temporary, int signal) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("velt-save-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "zone.txt") << "old";
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        const std::string bytes(size_t{256} << 20, 'x');  // long enough to catch in the act
        SaveOutput((folder / "zone.txt").string(), bytes, temporary);
        _exit(0);
    }
    bool seen = false;
    for (int waited = 0; waited < 20000 && !seen; ++waited) {
        seen = WritesInto(child, folder);
        if (!seen) usleep(500);
    }
    kill(child, signal);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(seen);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        left.push_back(entry.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string>{"zone.txt"});
    std::ifstream in(folder / "zone.txt");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "old");
    std::filesystem::remove_all(folder);
}

TEST(SaveOutput, AnInterruptLeavesNoTemporaryFile) {
    EndWhileWriting(TemporaryFile::UnnamedWherePossible, SIGINT);
    EndWhileWriting(TemporaryFile::Named, SIGINT);
    EndWhileWriting(TemporaryFile::Named, SIGTERM);
}

constexpr TemporaryFile kWays[] = {TemporaryFile::UnnamedWherePossible, TemporaryFile::Named};

// No signal handler runs on SIGKILL: an unnamed file is what leaves nothing.
TEST(SaveOutput, AKillLeavesNoTemporaryFile) {
    EndWhileWriting(TemporaryFile::UnnamedWherePossible, SIGKILL);
}

// The interrupts a save catches are the caller's again once it is done: a
// program that links the converter keeps its own handlers.
TEST(SaveOutput, GivesTheCallersSignalHandlersBack) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("velt-signals-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    static volatile std::sig_atomic_t caught = 0;
    const auto own = [](int signal) { caught = signal; };
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        caught = 0;
        struct sigaction action {};
        action.sa_handler = own;
        sigaction(signal, &action, nullptr);
        for (const TemporaryFile way : kWays)
            EXPECT_EQ(SaveOutput((folder / "zone.txt").string(), "zone", way).step,
                      SaveError::Step::None);
        std::raise(signal);
        EXPECT_EQ(caught, signal);
        std::signal(signal, SIG_DFL);
    }
    std::filesystem::remove_all(folder);
}

std::string Read(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A link is followed to its end, each target relative to its own link's
// folder; a link to nothing yet creates the file it names. The links stay.
void FollowLinksToTheirEnd(TemporaryFile way) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("velt-links-" + std::to_string(getpid()));
    fs::create_directories(folder / "shared" / "deep");
    std::ofstream(folder / "shared" / "deep" / "zone.txt") << "old";
    fs::create_symlink("deep/zone.txt", folder / "shared" / "current");
    fs::create_symlink("shared/current", folder / "map.txt");
    fs::create_symlink("shared/new.txt", folder / "fresh.txt");
    fs::permissions(folder / "shared" / "deep" / "zone.txt", fs::perms(0640));

    EXPECT_EQ(SaveOutput((folder / "map.txt").string(), "zone", way).step, SaveError::Step::None);
    EXPECT_EQ(SaveOutput((folder / "fresh.txt").string(), "new", way).step, SaveError::Step::None);
    EXPECT_TRUE(fs::is_symlink(folder / "map.txt"));
    EXPECT_TRUE(fs::is_symlink(folder / "shared" / "current"));
    EXPECT_TRUE(fs::is_symlink(folder / "fresh.txt"));
    EXPECT_EQ(Read(folder / "shared" / "deep" / "zone.txt"), "zone");
    EXPECT_EQ(Read(folder / "shared" / "new.txt"), "new");
    EXPECT_EQ(fs::status(folder / "shared" / "deep" / "zone.txt").permissions(), fs::perms(0640));

    // A link's target may be as long as a path may be, 4095 bytes, and lead
    // to a file there is or to one still to make.
    for (const char* name : {"zone.txt", "far.txt."}) {
        std::string longest = ".//";
        while (longest.size() < 4095 - 8)
            longest += "./";
        longest += name;
        ASSERT_EQ(longest.size(), 4095u);
        fs::create_symlink(longest, folder / "shared" / "deep" / (std::string("to-") + name));
        EXPECT_EQ(SaveOutput((folder / "shared" / "deep" / (std::string("to-") + name)).string(),
                             name, way)
                      .step,
                  SaveError::Step::None);
        EXPECT_EQ(Read(folder / "shared" / "deep" / name), name);
    }
    fs::remove_all(folder);
}

TEST(SaveOutput, FollowsLinksToTheirEnd) {
    for (const TemporaryFile way : kWays)
        FollowLinksToTheirEnd(way);
}

// A path to a regular file is replaced: one who holds the old file open
// still reads it whole. A path through a descriptor link names the open file
// itself, which is written in place, with nothing made beside it.
void ReplaceFilesButWriteDescriptorsInPlace(TemporaryFile way) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("velt-place-" + std::to_string(getpid()));
    fs::create_directories(folder);
    std::ofstream(folder / "zone.txt") << "old";
    std::ifstream reader(folder / "zone.txt");
    EXPECT_EQ(SaveOutput((folder / "zone.txt").string(), "new", way).step, SaveError::Step::None);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(reader), {}), "old");
    EXPECT_EQ(Read(folder / "zone.txt"), "new");

    const int fd = open((folder / "open.txt").c_str(), O_RDWR | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    struct stat before {};
    fstat(fd, &before);
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    EXPECT_EQ(SaveOutput(link, "in place", way).step, SaveError::Step::None);
    struct stat after {};
    stat((folder / "open.txt").c_str(), &after);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(Read(folder / "open.txt"), "in place");
    close(fd);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2);
    fs::remove_all(folder);
}

TEST(SaveOutput, ReplacesFilesButWritesDescriptorsInPlace) {
    for (const TemporaryFile way : kWays)
        ReplaceFilesButWriteDescriptorsInPlace(way);
}

// A zone script that holds the bytes already stays the same file, with the
// time of this save, as a build tool comparing times expects; one byte other,
// or one byte more, and it is replaced.
void LeaveWhatHoldsTheBytesAlready(TemporaryFile way) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("velt-same-" + std::to_string(getpid()));
    fs::create_directories(folder);
    const std::string zone = (folder / "zone.txt").string();
    const auto fileOf = [&zone] {
        struct stat now {};
        stat(zone.c_str(), &now);
        return now;
    };
    const timespec longAgo[2] = {{946684800, 0}, {946684800, 0}};  // 2000-01-01
    const std::string bytes(100000, 'z');                          // more than one read
    for (const std::string& old : {bytes, bytes.substr(1) + "y", bytes + "z"}) {
        std::ofstream(zone, std::ios::binary) << old;
        utimensat(AT_FDCWD, zone.c_str(), longAgo, 0);
        const struct stat before = fileOf();
        EXPECT_EQ(SaveOutput(zone, bytes, way).step, SaveError::Step::None);
        const struct stat after = fileOf();
        EXPECT_EQ(after.st_ino == before.st_ino, old == bytes) << old.size();
        EXPECT_GT(after.st_mtim.tv_sec, longAgo[1].tv_sec);
        EXPECT_EQ(Read(folder / "zone.txt"), bytes);
    }
    fs::remove_all(folder);
}

TEST(SaveOutput, LeavesWhatHoldsTheBytesAlready) {
    for (const TemporaryFile way : kWays)
        LeaveWhatHoldsTheBytesAlready(way);
}

}  // namespace
