#pragma once

// A file another program has open: Windows refuses to replace it, or to open
// it for writing, while that program's sharing mode says so. The game
// server, Tiled, a virus scanner or the search indexer each do it, the last
// two for a few milliseconds after every save.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "platform/SaveOutput.h"

namespace platform {

// Whether `error`, from opening or replacing a file with the attributes
// `attributes` (INVALID_FILE_ATTRIBUTES where there is none), may be another
// program holding it: a sharing or lock violation, or access denied on a
// file that is neither read-only nor a folder (a file being scanned or
// deleted is refused so for a moment).
bool MayBeHeld(DWORD error, DWORD attributes);

// Tries `attempt` (which returns ERROR_SUCCESS or the error it met) until it
// succeeds, fails for another reason than MayBeHeld, or `budget` is spent,
// sleeping a little longer between each try. Returns the last error.
template <typename Attempt>
DWORD WhileHeld(const std::wstring& path, std::chrono::milliseconds budget, Attempt attempt);

// The programs that have `path` open, as the Restart Manager names them;
// empty where it cannot tell (Wine's answers nothing).
std::vector<FileHolder> HoldersOf(const std::wstring& path);

// How long a save waits for a file held by another program, in all.
inline constexpr std::chrono::milliseconds kHeldWait{2000};

template <typename Attempt>
DWORD WhileHeld(const std::wstring& path, std::chrono::milliseconds budget, Attempt attempt) {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(budget.count());
    DWORD pause = 10;
    for (;;) {
        const DWORD error = attempt();
        if (error == ERROR_SUCCESS || !MayBeHeld(error, GetFileAttributesW(path.c_str()))) {
            return error;
        }
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) return error;
        Sleep(static_cast<DWORD>(std::min<ULONGLONG>(pause, deadline - now)));
        pause = std::min<DWORD>(pause * 2, 250);
    }
}

}  // namespace platform
