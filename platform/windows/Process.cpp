#include "platform/Process.h"

// clang-format off
#include "platform/windows/Wide.h"  // windows.h, which shellapi.h needs first
#include <shellapi.h>
// clang-format on
#include <fcntl.h>
#include <io.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace platform {
namespace {

// The console's output code page before the program set UTF-8, given back
// however the program ends: the console is the user's, and other programs
// in it print in its code page. A console handler and atexit reach nothing
// else, so this is kept outside the call stack; 0 once given back.
std::atomic<UINT> consoleCodePage{0};

void RestoreConsoleCodePage() {
    if (const UINT codePage = consoleCodePage.exchange(0); codePage != 0) {
        SetConsoleOutputCP(codePage);
    }
}

// At the end, after what is still buffered is shown in UTF-8.
void RestoreConsoleAtExit() {
    std::fflush(nullptr);
    RestoreConsoleCodePage();
}

// On another thread, while the program may be writing: no flush.
BOOL WINAPI RestoreConsoleAndEnd(DWORD) {
    RestoreConsoleCodePage();
    return FALSE;  // and the process ends as it would have
}

}  // namespace

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
    // UTF-8 shown as such on a console, for as long as the program runs.
    const UINT codePage = GetConsoleOutputCP();
    if (codePage == 0 || codePage == CP_UTF8 || !SetConsoleOutputCP(CP_UTF8)) return;
    consoleCodePage.store(codePage);
    std::atexit(RestoreConsoleAtExit);
    SetConsoleCtrlHandler(RestoreConsoleAndEnd, TRUE);
}

void KeepFreedMemory() {}  // the Windows heap keeps what is freed

}  // namespace platform
