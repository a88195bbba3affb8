#include "tmx/read/TmxFileName.h"

#include <algorithm>
#include <vector>

namespace tmx {

std::string FileNamedFrom(const std::string& folder, const std::string& named) {
    const bool absolute =
        named.front() == '/' || named.front() == '\\' || (named.size() > 1 && named[1] == ':');
    std::string joined = absolute ? named : folder + named;
    for (char& c : joined)
        if (c == '\\') c = '/';
    const bool rooted = joined.front() == '/';
    std::vector<std::string> steps;
    size_t start = 0;
    while (start <= joined.size()) {
        const size_t end = std::min(joined.find('/', start), joined.size());
        const std::string step = joined.substr(start, end - start);
        if (step == "..") {
            if (!steps.empty() && steps.back() != "..") {
                steps.pop_back();
            } else if (!rooted) {
                steps.push_back(step);
            }
        } else if (!step.empty() && step != ".") {
            steps.push_back(step);
        }
        start = end + 1;
    }
    std::string path = rooted ? "/" : "";
    for (size_t i = 0; i < steps.size(); ++i)
        path.append(i == 0 ? "" : "/").append(steps[i]);
    return path.empty() ? "." : path;
}

}  // namespace tmx
