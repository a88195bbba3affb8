#include "platform/SaveOutput.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <iterator>
#include <optional>
#include <string>

#include "platform/windows/InUse.h"
#include "platform/windows/Wide.h"

namespace platform {
namespace {

// The temporary file a Ctrl-C or a closed console must not leave behind. A
// console handler can reach nothing else, so this is the one piece of state
// the program keeps outside its call stack; it holds a name only while that
// file exists.
wchar_t pendingTemporary[32768];
std::atomic<bool> temporaryExists{false};

BOOL WINAPI RemoveTemporary(DWORD) {
    if (temporaryExists.load()) DeleteFileW(pendingTemporary);
    return FALSE;  // and the process ends as it would have
}

// While a temporary file exists, Ctrl-C, Ctrl-Break and closing the console
// remove it before the process ends.
class TemporaryGuard {
  public:
    explicit TemporaryGuard(const std::wstring& path) {
        if (path.size() >= std::size(pendingTemporary)) return;
        path.copy(pendingTemporary, path.size());
        pendingTemporary[path.size()] = L'\0';
        temporaryExists.store(true);
        SetConsoleCtrlHandler(RemoveTemporary, TRUE);
    }
    ~TemporaryGuard() {
        if (!temporaryExists.load()) return;
        SetConsoleCtrlHandler(RemoveTemporary, FALSE);
        temporaryExists.store(false);
    }
    TemporaryGuard(const TemporaryGuard&) = delete;
    TemporaryGuard& operator=(const TemporaryGuard&) = delete;
};

SaveError Failed(SaveError::Step step) {
    return {step, ErrnoOf(GetLastError())};
}

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr)) return false;
        if (written == 0) {  // a device that takes nothing and names no reason
            SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

// Writes into what is there: a device such as NUL or CON, or a pipe. No
// temporary file, nothing created beside it.
SaveError WriteInPlace(HANDLE device, std::string_view bytes) {
    SaveError failure;
    if (!WriteAll(device, bytes)) failure = Failed(SaveError::Step::Write);
    CloseHandle(device);
    return failure;
}

// The folder of a wide path, with its last separator.
std::wstring FolderOf(const std::wstring& path) {
    const size_t separator = path.find_last_of(L"/\\:");
    return separator == std::wstring::npos ? L"" : path.substr(0, separator + 1);
}

// The failure of a save that another program kept from its file for the
// whole wait, with who holds it where the system can tell.
SaveError HeldBy(SaveError::Step step, const std::wstring& target) {
    SaveError failure{step, EACCES};
    failure.inUse = true;
    failure.waited = kHeldWait;
    const DWORD size = GetFullPathNameW(target.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    if (size > 0) full.resize(GetFullPathNameW(target.c_str(), size, full.data(), nullptr));
    failure.holders = HoldersOf(size > 0 ? full : target);
    return failure;
}

// Whether a program holds `target` now in a way that keeps it from being
// written or replaced: asking for both, with everything shared, meets only
// the holders' sharing modes.
bool HeldNow(const std::wstring& target) {
    const HANDLE probe = CreateFileW(target.c_str(), GENERIC_WRITE | DELETE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (probe != INVALID_HANDLE_VALUE) {
        CloseHandle(probe);
        return false;
    }
    return GetLastError() == ERROR_SHARING_VIOLATION;
}

// A failure that may be another program holding the file, after the wait:
// held, unless it was access denied and no program holds it (a real
// permission problem says so). Replacing a file that another program has
// open is refused as access denied.
SaveError AfterWaiting(SaveError::Step step, DWORD error, const std::wstring& target) {
    if (!MayBeHeld(error, GetFileAttributesW(target.c_str()))) return {step, ErrnoOf(error)};
    SaveError held = HeldBy(step, target);
    if (error == ERROR_ACCESS_DENIED && held.holders.empty() && !HeldNow(target)) {
        return {step, ErrnoOf(error)};
    }
    return held;
}

}  // namespace

SaveError SaveOutput(const std::string& path, std::string_view bytes, TemporaryFile) {
    const std::wstring target = SystemPath(path);
    // What is there: a device or a pipe is written in place; a folder or a
    // read-only file is refused, as opening it for writing would be.
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return {SaveError::Step::Replace, EISDIR};  // as the rename over it says on POSIX
    }
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return {SaveError::Step::Open, EACCES};
    }
    // A file another program holds is waited for, here and when it is
    // replaced, for one wait in all.
    const ULONGLONG started = GetTickCount64();
    const auto left = [&] {
        const auto spent = std::chrono::milliseconds(GetTickCount64() - started);
        return std::max(kHeldWait - spent, std::chrono::milliseconds(0));
    };
    HANDLE existing = INVALID_HANDLE_VALUE;
    const DWORD opened = WhileHeld(target, left(), [&] {
        existing = CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        return existing != INVALID_HANDLE_VALUE ? ERROR_SUCCESS : GetLastError();
    });
    if (existing != INVALID_HANDLE_VALUE && GetFileType(existing) != FILE_TYPE_DISK) {
        return WriteInPlace(existing, bytes);
    }
    if (existing != INVALID_HANDLE_VALUE) {
        CloseHandle(existing);
    } else if (opened != ERROR_FILE_NOT_FOUND) {
        return AfterWaiting(SaveError::Step::Open, opened, target);
    }

    // A regular file, or none yet: the bytes go to a temporary file beside
    // it, which takes its place in one step once complete.
    std::wstring temporary;
    HANDLE file = INVALID_HANDLE_VALUE;
    std::optional<TemporaryGuard> guard;
    for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
        temporary = FolderOf(target) + L".velt-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                    std::to_wstring(attempt);
        file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
    }
    if (file == INVALID_HANDLE_VALUE) return Failed(SaveError::Step::Open);
    guard.emplace(temporary);
    SaveError failure;
    if (!WriteAll(file, bytes)) failure = Failed(SaveError::Step::Write);
    if (!CloseHandle(file) && failure.step == SaveError::Step::None) {
        failure = Failed(SaveError::Step::Write);
    }
    if (failure.step == SaveError::Step::None) {
        const DWORD replaced = WhileHeld(target, left(), [&] {
            return MoveFileExW(temporary.c_str(), target.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
                       ? ERROR_SUCCESS
                       : GetLastError();
        });
        if (replaced != ERROR_SUCCESS) {
            failure = AfterWaiting(SaveError::Step::Replace, replaced, target);
        }
    }
    if (failure.step != SaveError::Step::None) DeleteFileW(temporary.c_str());
    return failure;
}

}  // namespace platform
