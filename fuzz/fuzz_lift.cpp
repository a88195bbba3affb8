// Layer texts lifted out of any text against TinyXML's parse of the text as
// it stands: the parser must see the same document.

#include <cstddef>
#include <cstdint>
#include <string>

#include "LiftedParse.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    size_t lifted = 0;
    if (!lifted_parse::Difference(text, lifted).empty()) __builtin_trap();
    return 0;
}
