#include "platform/FileText.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace platform {
namespace {

struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0) close(fd);
    }
};

}  // namespace

FileText ReadFileText(const std::string& path, size_t padding) {
    FileText file;
    const Descriptor in{open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    struct stat info {};
    if (in.fd < 0 || fstat(in.fd, &info) != 0) {
        file.problem = std::strerror(errno);
    } else if (S_ISDIR(info.st_mode)) {
        file.problem = std::strerror(EISDIR);
    } else if (!S_ISREG(info.st_mode)) {
        file.problem = "It is not a regular file.";
    } else if (info.st_size == 0) {
        file.problem = "The file is empty.";
    } else if (info.st_size > kMaxFileSize) {
        file.problem = "The file is larger than 256 MiB.";
    }
    file.badSize = !file.problem.empty() && S_ISREG(info.st_mode);
    if (!file.problem.empty()) return file;

    const auto size = static_cast<size_t>(info.st_size);
    file.text.assign(size + padding, '\0');
    size_t done = 0;
    while (done < size) {
        const ssize_t n = read(in.fd, file.text.data() + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            // A file that shrank since it was measured is not read half.
            file.problem = n < 0 ? std::strerror(errno) : "The file shrank while it was read.";
            file.badSize = n == 0;
            file.text.clear();
            return file;
        }
        done += static_cast<size_t>(n);
    }
    return file;
}

}  // namespace platform
