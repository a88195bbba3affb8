#include "ZoneScript.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>

void ZoneScript::Emit(std::string_view text) {
    for (size_t lf; (lf = text.find('\n')) != std::string_view::npos; text.remove_prefix(lf + 1)) {
        bytes_.append(text.substr(0, lf)).append("\r\n");
    }
    bytes_.append(text);
}

namespace {

// One line of short texts and numbers, put together before it is emitted.
// The longest line, a tile row, takes under 100 characters.
class Line {
  public:
    Line& operator<<(std::string_view text) {
        std::memcpy(end_, text.data(), text.size());
        end_ += text.size();
        return *this;
    }
    Line& operator<<(int32_t number) {
        end_ = std::to_chars(end_, text_ + sizeof text_, number).ptr;
        return *this;
    }
    std::string_view text() const { return {text_, static_cast<size_t>(end_ - text_)}; }

  private:
    char text_[160];
    char* end_ = text_;
};

}  // namespace

void ZoneScript::WriteLevel(int32_t level) {
    Emit((Line() << "#DEF_LEVEL\t" << level << "\t\r\n").text());
}

void ZoneScript::WriteRespawn(int32_t respawn) {
    Emit((Line() << "#DEF_RESPAWN\t" << respawn << "\t\r\n").text());
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
    Line line;
    line << "#DEF_TILE\t" << blockId << "\t" << row;
    for (const int16_t code : codes)
        line << "\t" << code;
    Emit((line << "\t\n").text());
}

void ZoneScript::WriteTilePlacement(int32_t blockId, int32_t x, int32_t y) {
    Emit((Line() << "#IMP_TILE\t" << blockId << "\t" << x << "\t" << y << "\n").text());
}

void ZoneScript::WriteMarkerCode(int32_t column, int32_t row, char marker) {
    Emit((Line() << "#DEF_CODE\t" << column << "\t" << row << "\t" << std::string_view(&marker, 1)
                 << "\t0\t\r\n")
             .text());
}

void ZoneScript::WriteNumberCode(int32_t column, int32_t row, int32_t number) {
    Emit(
        (Line() << "#DEF_CODE\t" << column << "\t" << row << "\t" << number << "\t0\t\r\n").text());
}

void ZoneScript::WritePathStart() {
    Emit("\r\n");
}

void ZoneScript::WriteWaypoint(int32_t pathId, int32_t column, int32_t row) {
    Emit((Line() << "#DEF_WAYPOINT\t" << pathId << "\t" << column << "\t" << row << "\t\r\n")
             .text());
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
