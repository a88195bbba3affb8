// What the program asks of the file system about folders: what one holds,
// and the way up from a file to the root, on every platform alike.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "Scratch.h"
#include "converter/workspace/NamedFromHere.h"
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

// A file is named as from the working folder only where it lies below it,
// either separator taken for the other; a folder whose name differs from the
// working folder's only where it has a separator is not the working folder.
TEST(Folder, AFileIsNamedFromTheWorkingFolderOnlyBelowIt) {
    const std::string here = platform::FullFolderOf("");
    ASSERT_GE(here.size(), 3u);
    EXPECT_EQ(NamedFromHere(here + "maps/zone.tmx"), "maps/zone.tmx");
    std::string otherSeparator = here;
    otherSeparator.back() = otherSeparator.back() == '/' ? '\\' : '/';
    EXPECT_EQ(NamedFromHere(otherSeparator + "zone.tmx"), "zone.tmx");
    // The working folder's last name cut in two by a separator: "/a/bc/" as "/a/b/".
    std::string cut = here;
    cut[here.size() - 2] = '/';
    EXPECT_EQ(NamedFromHere(cut + "zone.tmx"), cut + "zone.tmx");
    EXPECT_EQ(NamedFromHere("zone.tmx"), "zone.tmx");
}

}  // namespace
