#include "converter/text/Typos.h"

bool OneTypoApart(const std::string& a, const std::string& b) {
    if (a.size() == b.size()) {
        size_t first = 0;
        while (first < a.size() && a[first] == b[first])
            ++first;
        if (first == a.size()) return false;
        if (a.compare(first + 1, std::string::npos, b, first + 1, std::string::npos) == 0)
            return true;
        return first + 1 < a.size() && a[first] == b[first + 1] && a[first + 1] == b[first] &&
               a.compare(first + 2, std::string::npos, b, first + 2, std::string::npos) == 0;
    }
    const std::string& longer = a.size() > b.size() ? a : b;
    const std::string& shorter = a.size() > b.size() ? b : a;
    if (longer.size() != shorter.size() + 1) return false;
    size_t first = 0;
    while (first < shorter.size() && longer[first] == shorter[first])
        ++first;
    return longer.compare(first + 1, std::string::npos, shorter, first, std::string::npos) == 0;
}
