#include "CommandLine.h"

#include <charconv>

#include "ZonePreview.h"

namespace {

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

std::optional<int32_t> WholeNumber(const std::string& text) {
    int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) return {};
    return value;
}

template <bool CommandLine::*flag>
std::string SetFlag(CommandLine& line, const std::string&) {
    line.*flag = true;
    return "";
}

template <std::optional<std::string> CommandLine::*field>
std::string SetText(CommandLine& line, const std::string& value) {
    line.*field = value;
    return "";
}

std::string SetScale(CommandLine& line, const std::string& value) {
    const std::optional<int32_t> scale = WholeNumber(value);
    if (!scale || *scale < 1 || *scale > kMaxPreviewScale) {
        return "--preview-scale takes a number of pixels from 1 to " +
               std::to_string(kMaxPreviewScale) + ", not \"" + value + "\"";
    }
    line.previewScale = *scale;
    return "";
}

std::string SetForm(CommandLine& line, const std::string& value) {
    if (value == "text") {
        line.form = DiagnosticsForm::Text;
    } else if (value == "json") {
        line.form = DiagnosticsForm::Json;
    } else if (value == "github") {
        line.form = DiagnosticsForm::Github;
    } else {
        return "--diagnostics takes text, json or github, not \"" + value + "\"";
    }
    return "";
}

// The options: a name, whether a value follows it ("-oPATH", "-o PATH",
// "--output=PATH", "--output PATH"), and what it sets; an error or "".
struct Option {
    const char* name;
    bool takesValue;
    std::string (*set)(CommandLine& line, const std::string& value);
};

const Option kOptions[] = {
    {"-h", false, SetFlag<&CommandLine::banner>},
    {"--help", false, SetFlag<&CommandLine::help>},
    {"--version", false, SetFlag<&CommandLine::version>},
    {"--check", false, SetFlag<&CommandLine::check>},
    {"--werror", false, SetFlag<&CommandLine::werror>},
    {"--diff", false, SetFlag<&CommandLine::diff>},
    {"--describe", false, SetFlag<&CommandLine::describe>},
    {"--to-map", false, SetFlag<&CommandLine::toMap>},
    {"-o", true, SetText<&CommandLine::output>},
    {"--output", true, SetText<&CommandLine::output>},
    {"--preview", true, SetText<&CommandLine::preview>},
    {"--preview-scale", true, SetScale},
    {"--diagnostics", true, SetForm},
};

// The option `argument` names, and where its attached value starts (or npos).
const Option* Match(const std::string& argument, size_t& valueAt) {
    for (const Option& option : kOptions) {
        const std::string name = option.name;
        valueAt = std::string::npos;
        if (argument == name) return &option;
        if (!option.takesValue || !StartsWith(argument, name)) continue;
        const bool isLong = StartsWith(name, "--");
        if (!isLong) valueAt = name.size();  // -oPATH
        if (isLong && argument[name.size()] == '=') valueAt = name.size() + 1;
        if (valueAt != std::string::npos) return &option;
    }
    return nullptr;
}

// --diff and --describe read their files and write nothing but standard
// output (and --diff the picture).
CommandLine& CheckReading(CommandLine& line) {
    const std::string name = line.diff ? "--diff" : "--describe";
    const size_t wanted = line.diff ? 2 : 1;
    if (line.diff + line.describe + line.toMap > 1) {
        line.error = "--diff, --describe and --to-map cannot be used together";
    } else if (line.output || line.check || line.werror) {
        line.error = name + " writes no zone script: -o, --check and --werror do not apply";
    } else if (line.describe && line.preview) {
        line.error = "--describe draws no picture: --preview does not apply";
    } else if (line.maps.size() != wanted) {
        line.error = (line.diff ? "--diff compares two files, OLD and NEW, not "
                                : "--describe reads one file, not ") +
                     std::to_string(line.maps.size());
    }
    return line;
}

// --to-map writes one map, and its tileset's picture beside it.
CommandLine& CheckToMap(CommandLine& line) {
    if (line.preview) {
        line.error = "--to-map draws no picture: --preview does not apply";
    } else if (line.output == "-") {
        line.error =
            "--to-map writes a map and its tileset's picture beside it: -o - does not apply";
    } else if (line.maps.size() != 1) {
        line.error = "--to-map reads one zone script, not " + std::to_string(line.maps.size());
    }
    return line;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    line.banner = arguments.empty();
    bool optionsEnded = false;
    for (size_t i = 0; i < arguments.size() && line.error.empty(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument == "-" || !StartsWith(argument, "-")) {
            line.maps.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        size_t valueAt = std::string::npos;
        const Option* option = Match(argument, valueAt);
        if (option == nullptr) {
            line.error = "unknown option " + argument;
            break;
        }
        // An option's value: attached to it, or the next argument.
        std::string value;
        if (valueAt != std::string::npos) {
            value = argument.substr(valueAt);
        } else if (option->takesValue && i + 1 < arguments.size()) {
            value = arguments[++i];
        } else if (option->takesValue) {
            line.error = "option " + std::string(option->name) + " needs a value";
            break;
        }
        line.error = option->set(line, value);
    }
    if (!line.error.empty() || line.banner || line.help || line.version) return line;
    if (line.diff || line.describe) return CheckReading(line);
    if (line.toMap) return CheckToMap(line);
    if (line.maps.empty()) {
        line.error = "no map given";
    } else if (line.output && line.maps.size() > 1) {
        line.error =
            "-o names one zone script, but " + std::to_string(line.maps.size()) + " maps are given";
    } else if (line.preview && line.maps.size() > 1) {
        line.error = "--preview names one picture, but " + std::to_string(line.maps.size()) +
                     " maps are given";
    } else if (line.output == "-" && line.form == DiagnosticsForm::Github) {
        line.error = "-o - and --diagnostics=github would both write to standard output";
    }
    return line;
}
