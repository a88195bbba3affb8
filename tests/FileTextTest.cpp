// What a map or template file may be: a regular file of some size. Anything
// else is refused at once, with the reason; nothing waits for a writer.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "platform/FileText.h"

namespace {

TEST(FileText, OnlyRegularFilesOfSomeSize) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("velt-files-" + std::to_string(getpid()));
    fs::create_directories(folder);
    std::ofstream(folder / "map.tmx") << "<map/>";
    std::ofstream(folder / "empty.tmx");
    std::ofstream(folder / "huge.tmx");
    fs::resize_file(folder / "huge.tmx", platform::kMaxFileSize + 1);  // sparse: no disk used
    ASSERT_EQ(mkfifo((folder / "fifo.tmx").c_str(), 0600), 0);

    // An errno an earlier interrupted call left says nothing of this read.
    errno = EINTR;
    const platform::FileText map = platform::ReadFileText((folder / "map.tmx").string(), 3);
    EXPECT_EQ(map.problem, "");
    EXPECT_FALSE(map.badSize);
    EXPECT_EQ(map.text, std::string("<map/>\0\0\0", 9));
    const struct {
        const char* name;
        const char* problem;
        bool badSize;
    } refused[] = {
        {"missing.tmx", "No such file or directory", false},
        {"", "Is a directory", false},
        {"fifo.tmx", "It is not a regular file.", false},
        {"empty.tmx", "The file is empty.", true},
        {"huge.tmx", "The file is larger than 256 MiB.", true},
    };
    for (const auto& row : refused) {
        const platform::FileText file = platform::ReadFileText((folder / row.name).string(), 3);
        EXPECT_EQ(file.problem, row.problem) << row.name;
        EXPECT_EQ(file.badSize, row.badSize) << row.name;
        EXPECT_TRUE(file.text.empty()) << row.name;
    }
    fs::remove_all(folder);
}

// A file of the system whose size says more than it holds, as a file that
// shrinks while it is read: never read half, and told apart from one that
// cannot be opened.
TEST(FileText, AFileThatShrinksIsNotReadHalf) {
    const char* const path = "/sys/devices/system/cpu/online";  // 4096 bytes, holds "0-1\n"
    struct stat info {};
    if (stat(path, &info) != 0 || info.st_size != 4096) GTEST_SKIP() << path << " is not here";
    const platform::FileText file = platform::ReadFileText(path, 3);
    EXPECT_EQ(file.problem, "The file shrank while it was read.");
    EXPECT_TRUE(file.badSize);
    EXPECT_TRUE(file.text.empty());
}

}  // namespace
