#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// A program that holds a file open, as the system names it.
struct FileHolder {
    std::string program;  // its executable's name ("VeltServer.exe")
    unsigned long process = 0;
};

// Why SaveOutput failed; the system's description of `error` says more.
// Where another program kept the file from being replaced for the whole
// wait (Windows locks a file that is open), `inUse` says so instead, with
// the programs that hold it where the system can tell.
struct SaveError {
    enum class Step { None, Open, Write, Replace };
    SaveError() = default;
    SaveError(Step failed, int errorNumber) : step(failed), error(errorNumber) {}

    Step step = Step::None;
    int error = 0;
    bool inUse = false;
    std::vector<FileHolder> holders;
    std::chrono::milliseconds waited{0};
};

// How a file is made before it takes its place: unnamed (O_TMPFILE) where
// the file system allows, so that even a killed process leaves nothing; or
// named beside it from the start, which an interrupt removes.
enum class TemporaryFile { UnnamedWherePossible, Named };

// Writes `bytes` to `path`, the way the user means that path.
// - A regular file, or one that does not exist yet (through a dangling link:
//   its target), is replaced atomically: the bytes go to a temporary file
//   beside it, which takes its place only once complete and closed. No reader
//   ever sees half a file; on failure nothing is left behind and the old file
//   is untouched. Mode, owner and group stay; a file this user may not write
//   is refused. Links in a circle are refused as opening refuses them. On
//   POSIX systems a file that holds the bytes already stays as it is, its
//   times made now.
// - Anything else that exists but a folder (a device, a FIFO, a socket) and any path that
//   goes through a descriptor link (/dev/stdout, /dev/fd/N, /proc/.../fd/N) is
//   opened as fopen(path, "w") opens it and written in place: replacing it
//   would break every other program that uses it.
// Where another program holds the file open and the system therefore refuses
// to replace it (Windows), the save waits for it a little while, trying
// again, and the old file stays as it was meanwhile.
SaveError SaveOutput(const std::string& path, std::string_view bytes,
                     TemporaryFile temporary = TemporaryFile::UnnamedWherePossible);

}  // namespace platform
