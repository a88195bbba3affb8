#include "converter/findings/Diagnostics.h"

#include <cstdio>

#include "converter/findings/FindingKey.h"
#include "converter/findings/FindingText.h"
#include "converter/text/Escape.h"

const char* SeverityName(Severity severity) {
    switch (severity) {
        case Severity::Note:
            return "note";
        case Severity::Warning:
            return "warning";
        case Severity::Error:
            return "error";
    }
    return "error";
}

void Diagnostics::Report(const std::string& path, const Finding& finding) {
    const tmx::TmxLocation at = finding.at;
    const std::string line = std::to_string(at.line);
    const std::string column = std::to_string(at.column);
    const char* kind = KindName(finding.what);
    const std::string message = FindingText(finding);
    std::string text;
    text.reserve(path.size() + message.size() + 64);
    switch (form_) {
        case DiagnosticsForm::Text:
            // One line a finding, whatever bytes its names hold.
            text.append(VisibleText(path));
            if (at.line > 0) text.append(":").append(line).append(":").append(column);
            text.append(": ").append(SeverityName(finding.severity)).append(": ");
            text.append(VisibleText(message)).append(" [").append(kind).append("]\n");
            Print(Stream::Err, text);
            return;
        case DiagnosticsForm::Json: {
            text = "{\"file\":" + JsonString(path) + ",\"line\":" + line + ",\"column\":" + column +
                   ",\"severity\":\"" + SeverityName(finding.severity) + "\",\"kind\":\"" + kind +
                   "\",\"message\":" + JsonString(message);
            const FindingSubject& about = finding.about;
            if (!about.layer.empty()) text += ",\"layer\":" + JsonString(about.layer);
            if (about.layerId != 0) text += ",\"layerId\":" + std::to_string(about.layerId);
            if (const std::vector<Cell>* cells = CellsOf(finding.what)) {
                text += ",\"cells\":[";
                for (size_t i = 0; i < cells->size(); ++i) {
                    text += (i == 0 ? "[" : ",[") + std::to_string((*cells)[i].column) + "," +
                            std::to_string((*cells)[i].row) + "]";
                }
                text += "]";
            }
            if (about.objectId != 0) text += ",\"object\":" + std::to_string(about.objectId);
            text += "}\n";
            Print(Stream::Err, text);
            return;
        }
        case DiagnosticsForm::Sarif:
            Print(Stream::Log, SarifResult(path, finding, Fingerprint(path, finding)));
            return;
        case DiagnosticsForm::CodeQuality:
            Print(Stream::Log, CodeQualityEntry(path, finding, Fingerprint(path, finding)));
            return;
        case DiagnosticsForm::Github:
            text =
                std::string("::") +
                (finding.severity == Severity::Note ? "notice" : SeverityName(finding.severity)) +
                " file=" + GithubText(path, true) +
                (at.line > 0 ? ",line=" + line + ",col=" + column : "") + ",title=" + kind +
                "::" + GithubText(message, false) + "\n";
            Print(Stream::Out, text);
            return;
    }
}

void Diagnostics::Print(Stream stream, std::string_view text) {
    if (stream == Stream::Out && IsDocument()) stream = Stream::Err;
    if (holding_ || stream == Stream::Log) {
        // A document's entries stay apart, one a finding.
        if (held_.empty() || held_.back().first != stream || stream == Stream::Log) {
            held_.emplace_back(stream, "");
        }
        held_.back().second.append(text);
        return;
    }
    std::fwrite(text.data(), 1, text.size(), stream == Stream::Out ? stdout : stderr);
}

void Diagnostics::Flush() {
    holding_ = false;
    std::vector<std::pair<Stream, std::string>> held = std::move(held_);
    held_.clear();
    for (const auto& [stream, text] : held)
        Print(stream, text);
    std::fflush(nullptr);
}

void Diagnostics::Flush(Diagnostics& into) {
    holding_ = false;
    for (const auto& [stream, text] : held_)
        into.Print(stream, text);
    held_.clear();
}

std::string Diagnostics::Fingerprint(const std::string& path, const Finding& finding) {
    std::string key = FindingKey(path, finding);
    const int seen = ++keysSeen_[key];
    if (seen > 1) key.append("\t").append(std::to_string(seen));
    return key;
}

void Diagnostics::Finish(const RunOfTool& run) {
    if (!IsDocument()) return;
    std::vector<std::string> entries;
    for (auto& [stream, text] : held_) {
        if (stream == Stream::Log) entries.push_back(std::move(text));
    }
    std::erase_if(held_, [](const auto& item) { return item.first == Stream::Log; });
    const std::string document =
        form_ == DiagnosticsForm::Sarif ? SarifLog(entries, run) : CodeQualityReport(entries);
    std::fwrite(document.data(), 1, document.size(), stdout);
    std::fflush(stdout);
}
