// What the program asks of the file system about folders: what one holds,
// and the way up from a file to the root, on every platform alike.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "Scratch.h"
#include "platform/Files.h"

namespace {

namespace fs = std::filesystem;

TEST(Folder, HoldsItsEntriesByNameInByteOrderFoldersToldApart) {
    const Scratch scratch;
    for (const char* file : {"b.tmx", "B", ".hidden"})
        std::ofstream(scratch.path() / file) << "x";
    fs::create_directories(scratch.path() / "a" / "inner");

    std::string listed;
    for (const platform::FolderEntry& entry : platform::ListFolder(scratch.path().string()))
        listed += entry.name + (entry.isFolder ? "/ " : " ");
    EXPECT_EQ(listed, ".hidden B a/ b.tmx ");
    EXPECT_TRUE(platform::ListFolder((scratch.path() / "none").string()).empty());
}

// The walk from a map's folder upwards, as project and checks files are
// looked for, passes through every folder above it and ends.
TEST(Folder, TheWayUpEndsAtTheRoot) {
    const Scratch scratch;
    fs::create_directories(scratch.path() / "maps");
    const std::string start =
        platform::FullFolderOf((scratch.path() / "maps" / "zone.tmx").string());
    ASSERT_FALSE(start.empty());
    EXPECT_TRUE(platform::IsFolder(start)) << start;
    EXPECT_EQ(fs::path(start).parent_path().filename(), "maps") << start;

    int steps = 0;
    bool passedScratch = false;
    for (std::string folder = start; !folder.empty(); folder = platform::ParentFolder(folder)) {
        ASSERT_LT(++steps, 100) << folder;
        passedScratch =
            passedScratch || fs::path(folder).parent_path().filename() == scratch.path().filename();
    }
    EXPECT_TRUE(passedScratch);
}

}  // namespace
