#include "platform/windows/InUse.h"

// clang-format off
#include "platform/windows/Wide.h"  // windows.h, which restartmanager.h needs first
#include <restartmanager.h>
// clang-format on

namespace platform {

bool MayBeHeld(DWORD error, DWORD attributes) {
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) return true;
    return error == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) == 0;
}

namespace {

// A process's executable by its file name ("VeltServer.exe"), where this user
// may ask; else what the Restart Manager calls it.
std::string ProgramOf(const RM_PROCESS_INFO& info) {
    const HANDLE process =
        OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, info.Process.dwProcessId);
    if (process != nullptr) {
        std::wstring image(32768, L'\0');
        DWORD size = static_cast<DWORD>(image.size());
        const BOOL named = QueryFullProcessImageNameW(process, 0, image.data(), &size);
        CloseHandle(process);
        if (named && size > 0) {
            image.resize(size);
            return Utf8(image.substr(image.find_last_of(L"\\/") + 1));
        }
    }
    return Utf8(info.strAppName);
}

}  // namespace

std::vector<FileHolder> HoldersOf(const std::wstring& path) {
    DWORD session = 0;
    WCHAR key[CCH_RM_SESSION_KEY + 1] = {};
    if (RmStartSession(&session, 0, key) != ERROR_SUCCESS) return {};
    std::vector<FileHolder> holders;
    LPCWSTR files[] = {path.c_str()};
    if (RmRegisterResources(session, 1, files, 0, nullptr, 0, nullptr) == ERROR_SUCCESS) {
        std::vector<RM_PROCESS_INFO> found;
        UINT needed = 0;
        DWORD reasons = 0;
        DWORD result = ERROR_MORE_DATA;
        // The list may grow between asking its size and reading it.
        for (int tries = 0; tries < 3 && result == ERROR_MORE_DATA; ++tries) {
            found.resize(needed);
            UINT count = needed;
            result = RmGetList(session, &needed, &count, found.data(), &reasons);
            found.resize(result == ERROR_SUCCESS ? count : 0);
        }
        for (const RM_PROCESS_INFO& info : found)
            holders.push_back({ProgramOf(info), info.Process.dwProcessId});
    }
    RmEndSession(session);
    return holders;
}

}  // namespace platform
