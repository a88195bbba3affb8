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
        // An option's value: after "=" or in the next argument.
        std::string value;
        const auto takeValue = [&](const std::string& name) {
            if (argument.size() > name.size()) {
                value = argument.substr(name.size() + (StartsWith(argument, "--") ? 1 : 0));
                return true;
            }
            if (i + 1 < arguments.size()) {
                value = arguments[++i];
                return true;
            }
            line.error = "option " + name + " needs a value";
            return false;
        };
        if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "-h") {
            line.banner = true;
        } else if (argument == "--help") {
            line.help = true;
        } else if (argument == "--version") {
            line.version = true;
        } else if (argument == "--check") {
            line.check = true;
        } else if (argument == "--werror") {
            line.werror = true;
        } else if (StartsWith(argument, "-o") || (StartsWith(argument, "--output") &&
                                                  (argument.size() == 8 || argument[8] == '='))) {
            if (takeValue(StartsWith(argument, "-o") ? "-o" : "--output")) line.output = value;
        } else if (StartsWith(argument, "--preview-scale") &&
                   (argument.size() == 15 || argument[15] == '=')) {
            if (!takeValue("--preview-scale")) break;
            const std::optional<int32_t> scale = WholeNumber(value);
            if (!scale || *scale < 1 || *scale > kMaxPreviewScale) {
                line.error = "--preview-scale takes a number of pixels from 1 to " +
                             std::to_string(kMaxPreviewScale) + ", not \"" + value + "\"";
                break;
            }
            line.previewScale = *scale;
        } else if (StartsWith(argument, "--preview") &&
                   (argument.size() == 9 || argument[9] == '=')) {
            if (takeValue("--preview")) line.preview = value;
        } else if (StartsWith(argument, "--diagnostics") &&
                   (argument.size() == 13 || argument[13] == '=')) {
            if (!takeValue("--diagnostics")) break;
            if (value == "text") {
                line.form = DiagnosticsForm::Text;
            } else if (value == "json") {
                line.form = DiagnosticsForm::Json;
            } else if (value == "github") {
                line.form = DiagnosticsForm::Github;
            } else {
                line.error = "--diagnostics takes text, json or github, not \"" + value + "\"";
            }
        } else {
            line.error = "unknown option " + argument;
        }
    }
    if (!line.error.empty() || line.banner || line.help || line.version) return line;
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
