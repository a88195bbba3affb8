#pragma once

#include <string>

#include "converter/picture/Canvas.h"

// The PNG bytes of a picture: RGB, 8 bits a channel; the same picture gives
// the same bytes. Empty when the PNG library fails.
std::string EncodePng(const Canvas& canvas);
