#include "platform/Process.h"

// clang-format off
#include "platform/windows/Wide.h"  // windows.h, which shellapi.h needs first
#include <shellapi.h>
// clang-format on
#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace platform {

// The command line as the system keeps it, in UTF-16: argv holds it in the
// code page, which cannot hold every name.
std::vector<std::string> Arguments(int, char**) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; wide != nullptr && i < count; ++i)
        arguments.push_back(Utf8(wide[i]));
    LocalFree(wide);
    return arguments;
}

void PrepareStandardStreams() {
    // The zone script on standard output is the same bytes as on disk.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    SetConsoleOutputCP(CP_UTF8);
}

void KeepFreedMemory() {}  // the Windows heap keeps what is freed

}  // namespace platform
