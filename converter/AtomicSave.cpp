#include "AtomicSave.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

namespace {

// Creates a new, empty file in the folder of `path`; returns its descriptor
// and name. The name is short so that it fits wherever the target's name fits.
int CreateTemporaryBeside(const std::string& path, std::string& temporary) {
    const std::string folder = path.substr(0, path.rfind('/') + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = folder + ".velt-" + std::to_string(getpid()) + "-" + std::to_string(attempt);
        // 0666 lets the umask decide, as for any file the user creates.
        const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

bool WriteAll(int fd, std::string_view bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

SaveError SaveAtomically(const std::string& path, std::string_view bytes) {
    std::string temporary;
    const int fd = CreateTemporaryBeside(path, temporary);
    if (fd < 0) return {SaveError::Step::Open, errno};

    SaveError failure;
    if (!WriteAll(fd, bytes)) failure = {SaveError::Step::Write, errno};
    if (close(fd) != 0 && failure.step == SaveError::Step::None) {
        failure = {SaveError::Step::Write, errno};
    }
    if (failure.step == SaveError::Step::None &&
        std::rename(temporary.c_str(), path.c_str()) != 0) {
        failure = {SaveError::Step::Replace, errno};
    }
    if (failure.step != SaveError::Step::None) unlink(temporary.c_str());
    return failure;
}
