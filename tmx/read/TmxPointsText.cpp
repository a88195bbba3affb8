#include "tmx/read/TmxPointsText.h"

#include <cstring>

#include "tmx/decode/TmxNumbers.h"

namespace tmx {

void ReadPointsText(std::string_view text, TmxPointList& points) {
    const char* const end = text.data() + text.size();
    TmxPoint point;  // the previous point: what an unreadable coordinate keeps
    for (const char* p = text.data(); p != end;) {
        if (*p == ' ') {
            ++p;
            continue;
        }
        const char* tokenEnd = static_cast<const char*>(std::memchr(p, ' ', end - p));
        if (tokenEnd == nullptr) tokenEnd = end;
        const char* afterX = ScanIntAt(p, tokenEnd, point.x);
        const char* afterY = afterX;
        if (afterX != p && afterX != tokenEnd && *afterX == ',') {
            afterY = ScanIntAt(afterX + 1, tokenEnd, point.y);
        }
        const bool whole =
            afterX != p && afterY != afterX && afterY != afterX + 1 && afterY == tokenEnd;
        if (whole) {
            points.Add(point);
        } else {
            points.AddPartial(point, std::string_view(p, static_cast<size_t>(tokenEnd - p)));
        }
        p = tokenEnd;
    }
}

}  // namespace tmx
