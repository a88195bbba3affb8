#pragma once

// Paths and errors as Windows has them: the program's paths are UTF-8, the
// system's UTF-16; its errors are numbers of its own, which the program
// words as the C library's errno values.

#include <windows.h>

#include <string>

namespace platform {

std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& wide);

// `path` as the wide API takes it: past MAX_PATH characters, its full form
// under the "\\?\" prefix, which lifts the limit; a device name such as
// "NUL" or "CON" as it is.
std::wstring SystemPath(const std::string& path);

// The errno value that says what `error` (GetLastError) says.
int ErrnoOf(DWORD error);

}  // namespace platform
