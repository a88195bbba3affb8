#include "converter/program/CommandLine.h"

#include "converter/program/Modes.h"
#include "converter/text/Lists.h"
#include "converter/text/WholeNumber.h"

namespace {

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

template <bool CommandLine::*flag>
std::string SetFlag(CommandLine& line, const std::string&) {
    line.*flag = true;
    return "";
}

// A mode's option. Two modes clash, which is said once the rest is read.
template <ModeKind kind>
std::string SetMode(CommandLine& line, const std::string&) {
    line.modesClash = line.modesClash || (line.mode != ModeKind::Convert && line.mode != kind);
    line.mode = kind;
    return "";
}

std::string SetMakeTileset(CommandLine& line, const std::string& value) {
    line.makeTileset = value;
    return SetMode<ModeKind::MakeTileset>(line, value);
}

std::string SetMoves(CommandLine& line, const std::string& value) {
    if (value != "4" && value != "8") return "--moves takes 4 or 8, not \"" + value + "\"";
    line.moves = value == "4" ? Moves::Four : Moves::Eight;
    return "";
}

std::string ModesClash() {
    std::vector<std::string> options;
    for (const Mode& mode : Modes())
        if (*mode.option != '\0') options.emplace_back(mode.option);
    return Listed(options, [](const std::string& option) { return option; }) +
           " cannot be used together";
}

template <std::optional<std::string> CommandLine::*field>
std::string SetText(CommandLine& line, const std::string& value) {
    line.*field = value;
    return "";
}

std::string SetScale(CommandLine& line, const std::string& value) {
    const std::optional<int32_t> scale = WholeNumber(value);
    if (!scale || *scale < 1 || *scale > kMaxPictureScale) {
        return "--preview-scale takes a number of pixels from 1 to " +
               std::to_string(kMaxPictureScale) + ", not \"" + value + "\"";
    }
    line.previewScale = *scale;
    return "";
}

// -WKIND, -Wno-KIND, -Werror=KIND, -Wno-error=KIND, -Werror: as compilers
// take them, a kind of finding for a warning's name.
std::string SetWarning(CommandLine& line, const std::string& value) {
    if (value == "error") {
        line.werror = true;
        return "";
    }
    const auto kind = [&](const std::string& prefix) {
        return value.compare(0, prefix.size(), prefix) == 0 ? value.substr(prefix.size()) : "";
    };
    std::string name = value;
    Level level = Level::On;
    bool keepWarning = false;
    if (!kind("no-error=").empty()) {
        name = kind("no-error=");
        keepWarning = true;
    } else if (!kind("error=").empty()) {
        name = kind("error=");
        level = Level::Error;
    } else if (!kind("no-").empty()) {
        name = kind("no-");
        level = Level::Off;
    }
    if (const std::string refusal = Tuning::Refusal(name); !refusal.empty()) {
        return "-W" + value + ": " + refusal;
    }
    if (keepWarning) {
        line.tuning.KeepWarning(name);
    } else {
        line.tuning.Set(name, level);
    }
    return "";
}

std::string SetJobs(CommandLine& line, const std::string& value) {
    const std::optional<int32_t> jobs = WholeNumber(value);
    if (!jobs || *jobs < 1 || *jobs > 1024) {
        return "-j takes a number of threads from 1 to 1024, not \"" + value + "\"";
    }
    line.jobs = *jobs;
    return "";
}

std::string SetForm(CommandLine& line, const std::string& value) {
    if (value == "text") {
        line.form = DiagnosticsForm::Text;
    } else if (value == "json") {
        line.form = DiagnosticsForm::Json;
    } else if (value == "github") {
        line.form = DiagnosticsForm::Github;
    } else if (value == "sarif") {
        line.form = DiagnosticsForm::Sarif;
    } else if (value == "codequality") {
        line.form = DiagnosticsForm::CodeQuality;
    } else {
        return "--diagnostics takes text, json, github, sarif or codequality, not \"" + value +
               "\"";
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
    {"--diff", false, SetMode<ModeKind::Diff>},
    {"--describe", false, SetMode<ModeKind::Describe>},
    {"--to-map", false, SetMode<ModeKind::ToMap>},
    {"--make-tileset", true, SetMakeTileset},
    {"--moves", true, SetMoves},
    {"--preview-walk", false, SetFlag<&CommandLine::previewWalk>},
    {"-o", true, SetText<&CommandLine::output>},
    {"--output", true, SetText<&CommandLine::output>},
    {"--preview", true, SetText<&CommandLine::preview>},
    {"--preview-scale", true, SetScale},
    {"--preview-whole-zone", false, SetFlag<&CommandLine::previewWholeZone>},
    {"--preview-overlay", false, SetFlag<&CommandLine::previewOverlay>},
    {"--ground-art", true, SetText<&CommandLine::groundArt>},
    {"--diagnostics", true, SetForm},
    {"-W", true, SetWarning},
    {"-j", true, SetJobs},
    {"--jobs", true, SetJobs},
    {"--baseline", true, SetText<&CommandLine::baseline>},
    {"--write-baseline", true, SetText<&CommandLine::writeBaseline>},
    {"--project", true, SetText<&CommandLine::project>},
    {"--no-project", false, SetFlag<&CommandLine::noProject>},
    {"--ground-table", true, SetText<&CommandLine::groundTable>},
    {"--mob-table", true, SetText<&CommandLine::mobTable>},
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
    line.tuning.SetWerror(line.werror);
    if (line.project && line.noProject) {
        line.error = "--project names the maps' project, --no-project says there is none";
        return line;
    }
    line.error = line.modesClash ? ModesClash() : ModeOf(line.mode).refusal(line);
    return line;
}
