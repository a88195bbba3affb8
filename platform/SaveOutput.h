#pragma once

#include <string>
#include <string_view>

namespace platform {

// Why SaveOutput failed; the system's description of `error` says more.
struct SaveError {
    enum class Step { None, Open, Write, Replace } step = Step::None;
    int error = 0;
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
//   is refused. Links in a circle are refused as opening refuses them.
// - Anything else that exists but a folder (a device, a FIFO, a socket) and any path that
//   goes through a descriptor link (/dev/stdout, /dev/fd/N, /proc/.../fd/N) is
//   opened as fopen(path, "w") opens it and written in place: replacing it
//   would break every other program that uses it.
SaveError SaveOutput(const std::string& path, std::string_view bytes,
                     TemporaryFile temporary = TemporaryFile::UnnamedWherePossible);

}  // namespace platform
