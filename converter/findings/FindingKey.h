#pragma once

// What holds a finding from one run to the next: its map, its kind and the
// element it is about (a layer by its path, an object by its id in its
// group), never its line or its counts, so that edits elsewhere in the map
// leave it the same finding. A baseline keeps it; a code-review system
// follows it as the finding's fingerprint.

#include <string>

#include "converter/findings/Finding.h"

// "maps/town.tmx<TAB>layer-blanks-tiles<TAB>layer "Decor/Overlay"", the map
// as the command line names it.
std::string FindingKey(const std::string& mapPath, const Finding& finding);
