#include "converter/program/RunFiles.h"

#include "converter/program/Output.h"

std::optional<Projects> ProjectsOf(const CommandLine& line, Diagnostics& diagnostics) {
    Projects projects(!line.noProject);
    if (!line.project) return projects;
    if (const std::string problem = projects.Use(*line.project); !problem.empty()) {
        ReportLoadError(*line.project, "cannot read the project: " + problem, diagnostics);
        return std::nullopt;
    }
    return projects;
}
