#include "converter/workspace/ChecksFiles.h"

#include <string_view>

#include "converter/workspace/NamedFromHere.h"
#include "platform/FileText.h"
#include "platform/Files.h"
#include "tmx/read/TmxFileName.h"

namespace {

std::string_view Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

const std::map<std::string_view, Level> kLevels = {{"off", Level::Off},
                                                   {"note", Level::Note},
                                                   {"warning", Level::Warning},
                                                   {"error", Level::Error}};

}  // namespace

const ChecksFiles::File* ChecksFiles::Read(const std::string& folder) {
    if (looked_.count(folder) != 0) {
        const auto found = files_.find(folder);
        return found == files_.end() ? nullptr : &found->second;
    }
    looked_[folder] = true;
    const std::string path = folder + kChecksFileName;
    if (!platform::Exists(path)) return nullptr;
    const std::string shown = NamedFromHere(path);
    File& file = files_[folder];
    const platform::FileText text = platform::ReadFileText(path, 0);
    const auto problem = [&](int32_t line, std::string words) {
        file.problems.push_back({shown, FindingOf(finding::Config{std::move(words)}, {line, 1})});
    };
    if (!text.problem.empty() && text.problem != "The file is empty.") {
        problem(0, "cannot read the checks file: " + text.problem);
        return &file;
    }
    std::string_view rest = text.text;
    for (int32_t number = 1; !rest.empty(); ++number) {
        const size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        line = Trimmed(line.substr(0, line.find_first_of("#;")));
        if (line.empty()) continue;
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            std::string words = Quoted(std::string(line));
            problem(number, words.append(" is no setting: KIND = off, note, warning or error, "
                                         "ground-table = FILE, mob-table = FILE, moves = 4 "
                                         "or 8, or root = true"));
            continue;
        }
        const std::string name(Trimmed(line.substr(0, equals)));
        const std::string value(Trimmed(line.substr(equals + 1)));
        if (name == "ground-table" || name == "mob-table") {
            if (value.empty()) {
                problem(number, name + " takes the table's file, named from this file's folder");
                continue;
            }
            FileSetting table{NamedFromHere(tmx::FileNamedFrom(folder, value)), shown, number};
            (name == "ground-table" ? file.settings.groundTable : file.settings.mobTable) = table;
            continue;
        }
        if (name == "moves") {
            if (value != "4" && value != "8") {
                problem(number, "moves takes 4 or 8, not " + Quoted(value));
                continue;
            }
            file.settings.moves = value == "4" ? Moves::Four : Moves::Eight;
            continue;
        }
        if (name == "root") {
            if (value != "true" && value != "false") {
                problem(number, "root takes true or false, not " + Quoted(value));
            }
            file.root = value == "true";
            continue;
        }
        if (const std::string refusal = Tuning::Refusal(name); !refusal.empty()) {
            problem(number, refusal);
            continue;
        }
        const auto level = kLevels.find(value);
        if (level == kLevels.end()) {
            problem(number, name + " takes off, note, warning or error, not " + Quoted(value));
            continue;
        }
        file.settings.tuning.Set(name, level->second);
    }
    return &file;
}

Settings ChecksFiles::For(const std::string& mapPath, std::vector<ChecksProblem>& problems) {
    // From the map's folder up to the root, or a file that says it is one;
    // then laid on from the farthest, so that the nearest wins.
    std::vector<const File*> found;
    for (std::string folder = platform::FullFolderOf(mapPath); !folder.empty();
         folder = platform::ParentFolder(folder)) {
        const File* file = Read(folder);
        if (file == nullptr) continue;
        found.push_back(file);
        if (file->root) break;
    }
    Settings settings;
    for (auto file = found.rbegin(); file != found.rend(); ++file) {
        const Settings& own = (*file)->settings;
        settings.tuning = Tuning::Over(settings.tuning, own.tuning);
        if (own.groundTable) settings.groundTable = own.groundTable;
        if (own.mobTable) settings.mobTable = own.mobTable;
        if (own.moves) settings.moves = own.moves;
        problems.insert(problems.end(), (*file)->problems.begin(), (*file)->problems.end());
    }
    return settings;
}
