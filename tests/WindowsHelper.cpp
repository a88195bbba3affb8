// What the Windows tests need from another process, run under Wine beside
// the converter:
//
//   velt_test_helper hold FILE read|read-write MILLISECONDS READY
//       opens FILE for reading, sharing it as said (a server or an editor
//       reading it; a scanner that lets others write), makes the file READY
//       once it holds it, holds it for MILLISECONDS and lets it go
//   velt_test_helper codepage SET|- OUT
//       sets the console's output code page to SET (unless "-") and writes
//       the code page it then has to the file OUT

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int Hold(const char* path, const char* sharing, const char* milliseconds, const char* ready) {
    const DWORD share = std::strcmp(sharing, "read-write") == 0 ? FILE_SHARE_READ | FILE_SHARE_WRITE
                                                                : FILE_SHARE_READ;
    const HANDLE file = CreateFileA(path, GENERIC_READ, share, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "hold: cannot open %s: error %lu\n", path, GetLastError());
        return 1;
    }
    const HANDLE signal = CreateFileA(ready, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (signal != INVALID_HANDLE_VALUE) CloseHandle(signal);
    Sleep(static_cast<DWORD>(std::strtoul(milliseconds, nullptr, 10)));
    CloseHandle(file);
    return 0;
}

int CodePage(const char* set, const char* out) {
    if (std::strcmp(set, "-") != 0) SetConsoleOutputCP(static_cast<UINT>(std::atoi(set)));
    FILE* file = std::fopen(out, "w");
    if (file == nullptr) return 1;
    std::fprintf(file, "%u\n", GetConsoleOutputCP());
    return std::fclose(file) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 6 && std::strcmp(argv[1], "hold") == 0) {
        return Hold(argv[2], argv[3], argv[4], argv[5]);
    }
    if (argc == 4 && std::strcmp(argv[1], "codepage") == 0) return CodePage(argv[2], argv[3]);
    std::fprintf(stderr, "usage: velt_test_helper hold FILE SHARING MS READY | codepage SET OUT\n");
    return 2;
}
