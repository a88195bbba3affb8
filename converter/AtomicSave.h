#pragma once

#include <string>
#include <string_view>

// Why SaveAtomically failed; the system's description of `error` says more.
struct SaveError {
    enum class Step { None, Open, Write, Replace } step = Step::None;
    int error = 0;
};

// Writes `bytes` to `path` so that no reader ever sees half a file: the bytes
// go to a temporary file beside the target, which replaces the target only
// once it is complete and closed. On failure nothing is left behind and an
// existing file at `path` is untouched.
SaveError SaveAtomically(const std::string& path, std::string_view bytes);
