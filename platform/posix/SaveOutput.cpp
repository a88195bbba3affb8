#include "platform/SaveOutput.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <optional>
#include <string>

namespace platform {
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
    // The links lead round in a circle: there is no file to write, as
    // opening the path says (ELOOP).
    bool loops = false;
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
    for (int hops = 0; hops < 40; ++hops) {  // as many as the kernel follows
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
    const bool found = realpath(given.c_str(), resolved) != nullptr;
    target.loops = !found && errno == ELOOP;  // in the file's links, or a folder's
    target.path = found ? resolved : path;
    return target;
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

// What an overwrite keeps of the file it replaces: owner and group where
// this user may set them; the mode after them, as a change of owner clears
// the set-id bits. Each only where the new file differs: a change of a
// file's metadata costs more than the look. Then the bytes.
SaveError Fill(int fd, const struct stat* replaced, std::string_view bytes) {
    if (replaced != nullptr) {
        struct stat made {};
        const bool known = fstat(fd, &made) == 0;
        if (!known || made.st_uid != replaced->st_uid || made.st_gid != replaced->st_gid) {
            if (fchown(fd, replaced->st_uid, replaced->st_gid) != 0) {
                [[maybe_unused]] const int groupOnly =
                    fchown(fd, static_cast<uid_t>(-1), replaced->st_gid);
            }
        }
        if ((!known || (made.st_mode & 07777) != (replaced->st_mode & 07777)) &&
            fchmod(fd, replaced->st_mode & 07777) != 0) {
            return {SaveError::Step::Write, errno};
        }
    }
    if (!WriteAll(fd, bytes)) return {SaveError::Step::Write, errno};
    return {};
}

// The folder of `path`, with its last slash; "" for the working folder.
std::string FolderOf(const std::string& path) {
    return path.substr(0, path.rfind('/') + 1);
}

// Gives a file a temporary name in `folder` with `make(name)` (true when it
// made it; errno says why not), and that name its guard. The name is short
// so that it fits wherever the target's name fits. Interrupts wait meanwhile,
// so that the name and its guard come into being together.
template <class Make>
bool MakeTemporaryName(const std::string& folder, std::string& temporary,
                       std::optional<TemporaryGuard>& guard, Make make) {
    sigset_t cleaned;
    sigset_t before;
    sigemptyset(&cleaned);
    for (const int signal : kCleanedSignals)
        sigaddset(&cleaned, signal);
    sigprocmask(SIG_BLOCK, &cleaned, &before);
    bool made = false;
    for (int attempt = 0; attempt < 100 && !made; ++attempt) {
        temporary = folder + ".velt-" + std::to_string(getpid()) + "-" + std::to_string(attempt);
        made = make(temporary);
        if (!made && errno != EEXIST) break;
    }
    const int error = errno;
    if (made) guard.emplace(temporary);
    sigprocmask(SIG_SETMASK, &before, nullptr);
    errno = error;
    return made;
}

// The bytes in an unnamed file in the target's folder (O_TMPFILE), named only
// once complete, so that a process killed while it writes, however it dies,
// leaves nothing. A new file takes the target's name at once; an existing one
// is replaced through a temporary name, which lives for two system calls.
// None where the file system has no unnamed files or no /proc names one:
// then nothing was done.
std::optional<SaveError> SaveThroughUnnamed(const std::string& target, const struct stat* replaced,
                                            std::string_view bytes) {
    const std::string folder = FolderOf(target);
    // 0666 lets the umask decide, as for any file the user creates.
    const int fd =
        open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0) return std::nullopt;
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    const auto link = [&self](const std::string& name) {
        return linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
    };
    SaveError failure = Fill(fd, replaced, bytes);
    if (failure.step != SaveError::Step::None) {
        close(fd);
        return failure;
    }
    // Where there is no file yet, the new one takes its name at once; one
    // made meanwhile is replaced, as an overwrite would replace it.
    if (replaced == nullptr && link(target)) {
        if (close(fd) == 0) return failure;
        failure = {SaveError::Step::Write, errno};
        unlink(target.c_str());
        return failure;
    }
    if (replaced == nullptr && errno == ENOENT) {  // no /proc to name the file by
        close(fd);
        return std::nullopt;
    }
    if (replaced == nullptr && errno != EEXIST) failure = {SaveError::Step::Replace, errno};
    std::string temporary;
    std::optional<TemporaryGuard> guard;
    if (failure.step == SaveError::Step::None &&
        !MakeTemporaryName(folder, temporary, guard, link)) {
        failure = {SaveError::Step::Replace, errno};
    }
    if (close(fd) != 0 && failure.step == SaveError::Step::None) {
        failure = {SaveError::Step::Write, errno};
    }
    if (failure.step == SaveError::Step::None &&
        std::rename(temporary.c_str(), target.c_str()) != 0) {
        failure = {SaveError::Step::Replace, errno};
    }
    if (guard && failure.step != SaveError::Step::None) unlink(temporary.c_str());
    return failure;
}

// Where there are no unnamed files: the bytes go to a named temporary file
// beside the target, which an interrupt removes, renamed over it once complete.
SaveError SaveThroughNamed(const std::string& target, const struct stat* replaced,
                           std::string_view bytes) {
    std::string temporary;
    std::optional<TemporaryGuard> guard;
    int fd = -1;
    const bool made =
        MakeTemporaryName(FolderOf(target), temporary, guard, [&fd](const std::string& name) {
            fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            return fd >= 0;
        });
    if (!made) return {SaveError::Step::Open, errno};
    SaveError failure = Fill(fd, replaced, bytes);
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

// Whether the regular file `target`, as `existing` found it, holds `bytes`
// already; then it only takes the time of this save. Replacing it would change
// nothing a reader can see, and costs most of a small map's conversion where
// the file system makes a file's data safe before it replaces another (ext4).
bool HoldsAlreadyAndTouched(const std::string& target, const struct stat& existing,
                            std::string_view bytes) {
    if (static_cast<uint64_t>(existing.st_size) != bytes.size()) return false;
    const int fd = open(target.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    char buffer[65536];
    size_t compared = 0;
    bool same = true;
    while (same) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        const auto length = static_cast<size_t>(got);
        same = length <= bytes.size() - compared &&
               std::memcmp(buffer, bytes.data() + compared, length) == 0;
        compared += length;
    }
    same = same && compared == bytes.size() && futimens(fd, nullptr) == 0;
    close(fd);
    return same;
}

}  // namespace

SaveError SaveOutput(const std::string& path, std::string_view bytes, TemporaryFile temporary) {
    const Target resolved = FinalTarget(path);
    if (resolved.loops) return {SaveError::Step::Open, ELOOP};
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
    if (replacesFile && HoldsAlreadyAndTouched(target, existing, bytes)) return {};
    const struct stat* replaced = replacesFile ? &existing : nullptr;
    if (temporary == TemporaryFile::UnnamedWherePossible) {
        if (const std::optional<SaveError> saved = SaveThroughUnnamed(target, replaced, bytes)) {
            return *saved;
        }
    }
    return SaveThroughNamed(target, replaced, bytes);
}

}  // namespace platform
