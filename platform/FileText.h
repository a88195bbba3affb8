#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// The largest file read as a map or template: its parse alone would cost
// gigabytes beyond this.
constexpr int64_t kMaxFileSize = int64_t{256} << 20;

// A whole file read for parsing: its text followed by `padding` NUL bytes,
// or why it could not be read (`problem` then says it in words).
struct FileText {
    std::string text;
    std::string problem;
    bool badSize = false;  // the problem is the file's size, not its opening
};

// Reads the regular file at `path`. Refuses what is not one (a folder, a
// pipe, a device: opening never waits for a writer), an empty file, and one
// above kMaxFileSize.
FileText ReadFileText(const std::string& path, size_t padding);

}  // namespace platform
