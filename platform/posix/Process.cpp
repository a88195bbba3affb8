#include "platform/Process.h"

#include <algorithm>

namespace platform {

std::vector<std::string> Arguments(int argc, char** argv) {
    return {argv + std::min(argc, 1), argv + argc};
}

void PrepareStandardStreams() {}  // bytes go out as written already

}  // namespace platform
