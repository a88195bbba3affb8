#include "Diagnostics.h"

#include "FindingText.h"

namespace {

const char* SeverityName(tmx::TmxSeverity severity) {
    switch (severity) {
        case tmx::TmxSeverity::Note:
            return "note";
        case tmx::TmxSeverity::Warning:
            return "warning";
        case tmx::TmxSeverity::Error:
            return "error";
    }
    return "error";
}

}  // namespace

void Diagnostics::Report(const std::string& path, const Finding& finding) {
    Print(path, finding.at, finding.severity, KindName(finding.what), FindingText(finding),
          &finding);
}

void Diagnostics::ReportError(const std::string& path, const char* kind,
                              const std::string& message) {
    Print(path, {}, tmx::TmxSeverity::Error, kind, message, nullptr);
}

void Diagnostics::Print(const std::string& path, tmx::TmxLocation at, tmx::TmxSeverity severity,
                        const char* kind, const std::string& message, const Finding* finding) {
    const std::string line = std::to_string(at.line);
    const std::string column = std::to_string(at.column);
    std::string text;
    text.reserve(path.size() + message.size() + 64);
    switch (form_) {
        case DiagnosticsForm::Text:
            // One line a finding, whatever bytes its names hold.
            text.append(VisibleText(path));
            if (at.line > 0) text.append(":").append(line).append(":").append(column);
            text.append(": ").append(SeverityName(severity)).append(": ");
            text.append(VisibleText(message)).append(" [").append(kind).append("]\n");
            std::fwrite(text.data(), 1, text.size(), stderr);
            return;
        case DiagnosticsForm::Json:
            text = "{\"file\":" + JsonString(path) + ",\"line\":" + line + ",\"column\":" + column +
                   ",\"severity\":\"" + SeverityName(severity) + "\",\"kind\":\"" + kind +
                   "\",\"message\":" + JsonString(message);
            if (finding != nullptr && !finding->about.layer.empty())
                text += ",\"layer\":" + JsonString(finding->about.layer);
            if (finding != nullptr && finding->about.layerId != 0) {
                text += ",\"layerId\":" + std::to_string(finding->about.layerId);
            }
            if (const auto* cells = finding != nullptr ? CellsOf(finding->what) : nullptr) {
                text += ",\"cells\":[";
                for (size_t i = 0; i < cells->size(); ++i) {
                    text += (i == 0 ? "[" : ",[") + std::to_string((*cells)[i].column) + "," +
                            std::to_string((*cells)[i].row) + "]";
                }
                text += "]";
            }
            if (finding != nullptr && finding->about.objectId != 0) {
                text += ",\"object\":" + std::to_string(finding->about.objectId);
            }
            text += "}\n";
            std::fwrite(text.data(), 1, text.size(), stderr);
            return;
        case DiagnosticsForm::Github:
            text = std::string("::") +
                   (severity == tmx::TmxSeverity::Note ? "notice" : SeverityName(severity)) +
                   " file=" + GithubText(path, true) +
                   (at.line > 0 ? ",line=" + line + ",col=" + column : "") + ",title=" + kind +
                   "::" + GithubText(message, false) + "\n";
            std::fwrite(text.data(), 1, text.size(), stdout);
            return;
    }
}
