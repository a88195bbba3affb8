#pragma once

// One map's failure is that map's alone: in a batch of hundreds, a map that
// cannot be converted at all (memory running out on a hostile map, say)
// fails with its error, and the others go on.

#include <functional>
#include <string>

#include "converter/findings/Diagnostics.h"

// Runs `work` for the map at `path`; an exception out of it is reported as
// the map's load error, and makes false.
bool FailsAlone(const std::string& path, Diagnostics& diagnostics,
                const std::function<void()>& work);
