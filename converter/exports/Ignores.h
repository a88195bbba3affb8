#pragma once

#include "converter/findings/Finding.h"
#include "tmx/model/TmxMap.h"

// The custom property a designer sets on the map, a group layer, a layer, an
// object group or an object to silence kinds of findings about that element
// and what it holds: "velt-ignore" = "layer-blanks-tiles, tilesets-share-codes".
inline constexpr char kIgnoreProperty[] = "velt-ignore";

// Drops the findings an element's velt-ignore silences. A kind it names that
// is no kind is an error at the property (ignore-unknown); a kind it names
// that silences nothing there is a note (ignore-unused).
void ApplyIgnores(const tmx::TmxMap& map, Findings& findings);
