// Saving on Windows where another program holds the file: waited for, the
// old file kept meanwhile, and said as it is when the wait is over.

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>

#include "Scratch.h"
#include "platform/SaveOutput.h"
#include "platform/windows/InUse.h"
#include "platform/windows/Wide.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string Contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The file at `path`, as another program opening it for reading holds it.
HANDLE Hold(const std::filesystem::path& path, DWORD sharing) {
    return CreateFileW(path.wstring().c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// What the folder holds besides `kept`: a temporary file left behind.
size_t OthersIn(const std::filesystem::path& folder) {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                             std::filesystem::directory_iterator())) -
           1;
}

TEST(WindowsSave, ErrorsThatMayBeAnotherProgramHoldingTheFile) {
    const DWORD plain = FILE_ATTRIBUTE_ARCHIVE;
    EXPECT_TRUE(platform::MayBeHeld(ERROR_SHARING_VIOLATION, plain));
    EXPECT_TRUE(platform::MayBeHeld(ERROR_LOCK_VIOLATION, plain));
    EXPECT_TRUE(platform::MayBeHeld(ERROR_ACCESS_DENIED, plain));
    EXPECT_TRUE(platform::MayBeHeld(ERROR_SHARING_VIOLATION, INVALID_FILE_ATTRIBUTES));
    // Access denied on what cannot be written anyway, or on nothing, is no
    // program holding it.
    EXPECT_FALSE(platform::MayBeHeld(ERROR_ACCESS_DENIED, plain | FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(platform::MayBeHeld(ERROR_ACCESS_DENIED, FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_FALSE(platform::MayBeHeld(ERROR_ACCESS_DENIED, INVALID_FILE_ATTRIBUTES));
    EXPECT_FALSE(platform::MayBeHeld(ERROR_FILE_NOT_FOUND, plain));
    EXPECT_FALSE(platform::MayBeHeld(ERROR_DISK_FULL, plain));

    EXPECT_EQ(platform::ErrnoOf(ERROR_SHARING_VIOLATION), EACCES);
    EXPECT_EQ(platform::ErrnoOf(ERROR_PATH_NOT_FOUND), ENOENT);
    EXPECT_EQ(platform::ErrnoOf(ERROR_HANDLE_DISK_FULL), ENOSPC);
    EXPECT_EQ(platform::ErrnoOf(ERROR_ALREADY_EXISTS), EEXIST);
    EXPECT_EQ(platform::ErrnoOf(ERROR_FILENAME_EXCED_RANGE), ENAMETOOLONG);
    EXPECT_EQ(platform::ErrnoOf(ERROR_GEN_FAILURE), EIO);
}

TEST(WindowsSave, AFileHeldForAMomentIsWaitedFor) {
    // Held with read sharing (opening it to write is refused), then with
    // read and write sharing (replacing it is refused).
    for (const DWORD sharing :
         {DWORD{FILE_SHARE_READ}, DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE}}) {
        const Scratch scratch;
        const std::filesystem::path target = scratch.path() / "m.txt";
        std::ofstream(target, std::ios::binary) << "old";
        const HANDLE held = Hold(target, sharing);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        const auto started = Clock::now();
        std::thread release([held] {
            std::this_thread::sleep_for(std::chrono::milliseconds(400));
            CloseHandle(held);
        });
        const platform::SaveError saved = platform::SaveOutput(target.string(), "new\r\n");
        release.join();
        EXPECT_EQ(saved.step, platform::SaveError::Step::None) << "sharing " << sharing;
        EXPECT_GE(Clock::now() - started, std::chrono::milliseconds(350));
        EXPECT_EQ(Contents(target), "new\r\n");
        EXPECT_EQ(OthersIn(scratch.path()), 0u);
    }
}

TEST(WindowsSave, AFileHeldPastTheWaitIsInUseAndKept) {
    struct Case {
        DWORD sharing;
        platform::SaveError::Step step;
    };
    for (const Case& held :
         {Case{FILE_SHARE_READ, platform::SaveError::Step::Open},
          Case{FILE_SHARE_READ | FILE_SHARE_WRITE, platform::SaveError::Step::Replace}}) {
        const Scratch scratch;
        const std::filesystem::path target = scratch.path() / "m.txt";
        std::ofstream(target, std::ios::binary) << "old";
        const HANDLE holder = Hold(target, held.sharing);
        ASSERT_NE(holder, INVALID_HANDLE_VALUE);
        const auto started = Clock::now();
        const platform::SaveError saved = platform::SaveOutput(target.string(), "new");
        const auto took = Clock::now() - started;
        CloseHandle(holder);
        EXPECT_EQ(saved.step, held.step);
        EXPECT_TRUE(saved.inUse);
        EXPECT_EQ(saved.waited, platform::kHeldWait);
        EXPECT_GE(took, std::chrono::milliseconds(1900));
        EXPECT_LT(took, std::chrono::seconds(5));
        EXPECT_EQ(Contents(target), "old");
        EXPECT_EQ(OthersIn(scratch.path()), 0u) << "a temporary file left beside it";
    }
}

TEST(WindowsSave, AReadOnlyFileIsRefusedAtOnce) {
    const Scratch scratch;
    const std::filesystem::path target = scratch.path() / "m.txt";
    std::ofstream(target, std::ios::binary) << "old";
    SetFileAttributesW(target.wstring().c_str(), FILE_ATTRIBUTE_READONLY);
    const auto started = Clock::now();
    const platform::SaveError saved = platform::SaveOutput(target.string(), "new");
    EXPECT_LT(Clock::now() - started, std::chrono::milliseconds(500));
    EXPECT_EQ(saved.step, platform::SaveError::Step::Open);
    EXPECT_EQ(saved.error, EACCES);
    EXPECT_FALSE(saved.inUse);
    SetFileAttributesW(target.wstring().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(Contents(target), "old");
}

}  // namespace
