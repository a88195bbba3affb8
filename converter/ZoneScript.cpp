#include "ZoneScript.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <string>

void ZoneScript::Emit(std::string_view text) {
    for (const char c : text) {
        if (c == '\n') bytes_ += '\r';
        bytes_ += c;
    }
}

void ZoneScript::Emit(int32_t number) {
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, number);
    bytes_.append(digits, result.ptr);
}

void ZoneScript::WriteLevel(int32_t level) {
    Emit("#DEF_LEVEL\t");
    Emit(level);
    Emit("\t\r\n");
}

void ZoneScript::WriteRespawn(int32_t respawn) {
    Emit("#DEF_RESPAWN\t");
    Emit(respawn);
    Emit("\t\r\n");
}

void ZoneScript::WriteZoneTitle(std::string_view title) {
    // A text field ends at its first NUL byte, as a C string would.
    Emit("#DEF_ZONETITLE\t");
    Emit(title.substr(0, title.find('\0')));
    Emit("\t\r\n");
}

void ZoneScript::WriteEmptyLine() {
    Emit("\n");
}

void ZoneScript::WriteTileRow(int32_t blockId, int32_t row, const int16_t (&codes)[6]) {
    Emit("#DEF_TILE\t");
    Emit(blockId);
    Emit("\t");
    Emit(row);
    for (const int16_t code : codes) {
        Emit("\t");
        Emit(code);
    }
    Emit("\t\n");
}

void ZoneScript::WriteTilePlacement(int32_t blockId, int32_t x, int32_t y) {
    Emit("#IMP_TILE\t");
    Emit(blockId);
    Emit("\t");
    Emit(x);
    Emit("\t");
    Emit(y);
    Emit("\n");
}

void ZoneScript::WriteMarkerCode(int32_t column, int32_t row, char marker) {
    Emit("#DEF_CODE\t");
    Emit(column);
    Emit("\t");
    Emit(row);
    Emit("\t");
    Emit(std::string_view(&marker, 1));
    Emit("\t0\t\r\n");
}

void ZoneScript::WriteNumberCode(int32_t column, int32_t row, int32_t number) {
    Emit("#DEF_CODE\t");
    Emit(column);
    Emit("\t");
    Emit(row);
    Emit("\t");
    Emit(number);
    Emit("\t0\t\r\n");
}

void ZoneScript::WritePathStart() {
    Emit("\r\n");
}

void ZoneScript::WriteWaypoint(int32_t pathId, int32_t column, int32_t row) {
    Emit("#DEF_WAYPOINT\t");
    Emit(pathId);
    Emit("\t");
    Emit(column);
    Emit("\t");
    Emit(row);
    Emit("\t\r\n");
}

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

bool WriteAll(int fd, const std::string& bytes) {
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

SaveError SaveZoneScript(const std::string& path, const std::string& bytes) {
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
