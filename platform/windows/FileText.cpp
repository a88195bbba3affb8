#include "platform/FileText.h"

#include <cerrno>
#include <cstring>

#include "platform/windows/Wide.h"

namespace platform {
namespace {

struct Handle {
    HANDLE handle;
    ~Handle() {
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
};

}  // namespace

FileText ReadFileText(const std::string& path, size_t padding) {
    FileText file;
    const std::wstring name = SystemPath(path);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        file.problem = std::strerror(EISDIR);
        return file;
    }
    const Handle in{CreateFileW(name.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
    LARGE_INTEGER size{};
    if (in.handle == INVALID_HANDLE_VALUE) {
        file.problem = std::strerror(ErrnoOf(GetLastError()));
        return file;
    }
    if (GetFileType(in.handle) != FILE_TYPE_DISK) {
        file.problem = "It is not a regular file.";
    } else if (!GetFileSizeEx(in.handle, &size)) {
        file.problem = std::strerror(ErrnoOf(GetLastError()));
    } else if (size.QuadPart == 0) {
        file.problem = "The file is empty.";
    } else if (size.QuadPart > kMaxFileSize) {
        file.problem = "The file is larger than 256 MiB.";
    }
    file.badSize = !file.problem.empty() && GetFileType(in.handle) == FILE_TYPE_DISK;
    if (!file.problem.empty()) return file;

    const auto total = static_cast<size_t>(size.QuadPart);
    file.text.assign(total + padding, '\0');
    size_t done = 0;
    while (done < total) {
        DWORD read = 0;
        if (!ReadFile(in.handle, file.text.data() + done, static_cast<DWORD>(total - done), &read,
                      nullptr)) {
            file.problem = std::strerror(ErrnoOf(GetLastError()));
            file.text.clear();
            return file;
        }
        if (read == 0) {  // a file that shrank since it was measured is not read half
            file.problem = "The file shrank while it was read.";
            file.badSize = true;
            file.text.clear();
            return file;
        }
        done += read;
    }
    return file;
}

}  // namespace platform
