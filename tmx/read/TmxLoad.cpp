// The map's loading entry points: the file's text to the reader its first
// character calls for, then the templates its objects name.

#include <algorithm>
#include <string>
#include <utility>

#include "platform/FileText.h"
#include "platform/Files.h"
#include "tmx/model/TmxMap.h"
#include "tmx/read/TmxJson.h"
#include "tmx/read/TmxTemplate.h"
#include "tmx/read/TmxTilesetFile.h"
#include "tmx/read/TmxXmlReader.h"

namespace tmx {
namespace {

// TinyXML can step up to three bytes past the end of its text when the text
// ends inside a UTF-8 sequence (found by fuzzing: a read past the end of the
// buffer), and the JSON parser reads whole blocks of 64 bytes. The text either
// parses always has this many NUL bytes after it, so that whatever they step
// onto is still ours and, for TinyXML, still the end.
constexpr size_t kParsePadding = TmxMap::kTextPadding;
static_assert(kParsePadding >= kJsonPadding);

// Whether TinyXML can parse `text` where it stands: no UTF-8 sequence (four
// bytes at most) can start within its last bytes, as they are all ASCII.
// Map files end in "</map>" and a line feed.
bool EndsInAscii(const std::string& text) {
    const size_t tail = std::min<size_t>(text.size(), 8);
    return std::all_of(text.end() - static_cast<ptrdiff_t>(tail), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Reads the `size` bytes of `text`, which are followed by at least
// kParsePadding bytes of its own; `owner`, when given, holds it and is freed
// once it is no longer needed. Then the templates, relative to the map's
// folder, and what tile objects need of tileset files.
void Read(TmxMap& map, const char* text, size_t size, std::string* owner, TmxTemplates& templates) {
    if (IsJson(text)) {
        TmxJsonReader::ReadMap(map, text, size, owner);
    } else {
        TmxXmlReader::ReadMap(map, text, size, owner);
    }
    if (map.failed()) return;
    templates.BeginMap(map.directory());
    templates.ApplyAll(map);
    ReadTilesetFiles(map);
}

}  // namespace

void TmxMap::LoadFromFile(const std::string& path, TmxTemplates* templates) {
    platform::FileText file = platform::ReadFileText(path, kParsePadding);
    if (!file.problem.empty()) {
        SetSourcePath(path, platform::FolderOf(path));
        RecordError(file.badSize ? TmxLoadError::BadFileSize : TmxLoadError::OpenFailed,
                    file.problem);
        return;
    }
    LoadFromFileText(path, std::move(file.text), templates);
}

void TmxMap::LoadFromFileText(const std::string& path, std::string paddedText,
                              TmxTemplates* templates) {
    SetSourcePath(path, platform::FolderOf(path));
    TmxTemplates own;
    Read(*this, paddedText.c_str(), paddedText.size() - kParsePadding, &paddedText,
         templates != nullptr ? *templates : own);
}

void TmxMap::LoadFromText(const std::string& text) {
    TmxTemplates templates;
    // The caller's text is copied only when a parser might step past its end.
    const bool roomAfter = text.capacity() - text.size() >= kParsePadding;
    if (IsJson(text.c_str()) ? roomAfter : EndsInAscii(text)) {
        Read(*this, text.c_str(), text.size(), nullptr, templates);
        return;
    }
    std::string padded;
    padded.reserve(text.size() + kParsePadding);
    padded.append(text).append(kParsePadding, '\0');
    Read(*this, padded.c_str(), text.size(), &padded, templates);
}

}  // namespace tmx
