#include "SaveOutput.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <optional>
#include <string>

namespace {

// The temporary file a signal must not leave behind. A signal handler can
// reach nothing else, so this is the one piece of state the program keeps
// outside its call stack; it holds a name only while that file exists.
char pendingTemporary[4096];
std::atomic<bool> temporaryExists{false};

extern "C" void RemoveTemporaryAndDie(int signal) {
    if (temporaryExists.load()) unlink(pendingTemporary);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

constexpr int kCleanedSignals[] = {SIGINT, SIGTERM, SIGHUP};

// While a temporary file exists, an interrupt removes it before the process
// ends the way the signal ends it. Made with those signals blocked.
class TemporaryGuard {
  public:
    explicit TemporaryGuard(const std::string& path) {
        if (path.size() >= sizeof pendingTemporary) return;
        std::memcpy(pendingTemporary, path.c_str(), path.size() + 1);
        temporaryExists.store(true);
        for (size_t i = 0; i < std::size(kCleanedSignals); ++i) {
            struct sigaction action {};
            action.sa_handler = RemoveTemporaryAndDie;
            sigemptyset(&action.sa_mask);
            sigaction(kCleanedSignals[i], &action, &previous_[i]);
        }
    }
    ~TemporaryGuard() {
        if (!temporaryExists.load()) return;
        for (size_t i = 0; i < std::size(kCleanedSignals); ++i)
            sigaction(kCleanedSignals[i], &previous_[i], nullptr);
        temporaryExists.store(false);
    }
    TemporaryGuard(const TemporaryGuard&) = delete;
    TemporaryGuard& operator=(const TemporaryGuard&) = delete;

  private:
    struct sigaction previous_[std::size(kCleanedSignals)]{};
};

// Where writing to `path` would write: symbolic links followed to their end,
// each target taken relative to its link's folder.
struct Target {
    std::string path;
    // The chain went through a link the kernel resolves to an open file, not
    // to a place in a folder: /dev/stdout, /dev/fd/N, /proc/PID/fd/N.
    bool throughDescriptor = false;
};

bool IsDescriptorLink(const std::string& path) {
    return path.rfind("/dev/fd/", 0) == 0 || path == "/dev/stdout" || path == "/dev/stderr" ||
           (path.rfind("/proc/", 0) == 0 && path.find("/fd/") != std::string::npos);
}

// "a/./b//c" as "a/b/c": steps that go nowhere dropped, so that a long chain
// of them stays within a path's length. ".." stays: where it leads depends
// on links.
std::string WithoutEmptySteps(const std::string& path) {
    std::string out = path.front() == '/' ? "/" : "";
    size_t start = 0;
    while (start <= path.size()) {
        const size_t end = std::min(path.find('/', start), path.size());
        const std::string_view step(path.data() + start, end - start);
        if (!step.empty() && step != ".") {
            if (!out.empty() && out.back() != '/') out += '/';
            out.append(step);
        }
        start = end + 1;
    }
    return out.empty() ? "." : out;
}

Target FinalTarget(const std::string& given) {
    Target target;
    std::string path = given;
    for (int hops = 0; hops < 40; ++hops) {
        target.throughDescriptor = target.throughDescriptor || IsDescriptorLink(path);
        char link[4096];
        const ssize_t n = readlink(path.c_str(), link, sizeof link - 1);
        if (n <= 0) break;
        const std::string next(link, static_cast<size_t>(n));
        const size_t slash = path.rfind('/');
        path = WithoutEmptySteps(next.front() == '/' || slash == std::string::npos
                                     ? next
                                     : path.substr(0, slash + 1) + next);
    }
    // Where the file is there, the kernel's own answer; a link to nothing yet
    // gives the path it names, as opening it for writing creates it.
    char resolved[PATH_MAX];
    target.path = realpath(given.c_str(), resolved) != nullptr ? resolved : path;
    return target;
}

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
        if (n < 0) return false;
        if (n == 0) {  // a device that takes nothing and names no reason
            errno = EIO;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// Writes into what is there, as any program writing to a device or a pipe
// does: no temporary file, nothing created beside it.
SaveError WriteInPlace(const std::string& path, std::string_view bytes) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return {SaveError::Step::Open, errno};
    SaveError failure;
    if (!WriteAll(fd, bytes)) failure = {SaveError::Step::Write, errno};
    if (close(fd) != 0 && failure.step == SaveError::Step::None) {
        failure = {SaveError::Step::Write, errno};
    }
    return failure;
}

}  // namespace

SaveError SaveOutput(const std::string& path, std::string_view bytes) {
    const Target resolved = FinalTarget(path);
    struct stat existing {};
    const bool exists = stat(path.c_str(), &existing) == 0;  // the kernel's own resolution
    // A folder goes the atomic way too: the rename refuses it and says why.
    const bool inPlace = exists && !S_ISREG(existing.st_mode) && !S_ISDIR(existing.st_mode);
    if (resolved.throughDescriptor || inPlace) return WriteInPlace(path, bytes);
    const std::string& target = resolved.path;
    // An existing file keeps what an overwrite keeps: it is refused when this
    // user may not write it, and its mode, owner and group stay.
    const bool replacesFile = exists && S_ISREG(existing.st_mode);
    if (replacesFile && faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        return {SaveError::Step::Open, errno};
    }

    // The temporary file and its guard come into being together: a signal
    // waits until both are there.
    sigset_t cleaned;
    sigset_t before;
    sigemptyset(&cleaned);
    for (const int signal : kCleanedSignals)
        sigaddset(&cleaned, signal);
    sigprocmask(SIG_BLOCK, &cleaned, &before);
    std::string temporary;
    const int fd = CreateTemporaryBeside(target, temporary);
    const int createError = errno;
    std::optional<TemporaryGuard> guard;
    if (fd >= 0) guard.emplace(temporary);
    sigprocmask(SIG_SETMASK, &before, nullptr);
    if (fd < 0) return {SaveError::Step::Open, createError};

    SaveError failure;
    if (replacesFile) {
        // Owner and group where this user may set them; the mode after them,
        // as a change of owner clears the set-id bits.
        if (fchown(fd, existing.st_uid, existing.st_gid) != 0) {
            [[maybe_unused]] const int groupOnly =
                fchown(fd, static_cast<uid_t>(-1), existing.st_gid);
        }
        if (fchmod(fd, existing.st_mode & 07777) != 0) failure = {SaveError::Step::Write, errno};
    }
    if (failure.step == SaveError::Step::None && !WriteAll(fd, bytes)) {
        failure = {SaveError::Step::Write, errno};
    }
    if (close(fd) != 0 && failure.step == SaveError::Step::None) {
        failure = {SaveError::Step::Write, errno};
    }
    if (failure.step == SaveError::Step::None &&
        std::rename(temporary.c_str(), target.c_str()) != 0) {
        failure = {SaveError::Step::Replace, errno};
    }
    if (failure.step != SaveError::Step::None) unlink(temporary.c_str());
    return failure;
}
