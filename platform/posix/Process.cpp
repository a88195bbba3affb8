#include "platform/Process.h"

#include <algorithm>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace platform {

std::vector<std::string> Arguments(int argc, char** argv) {
    return {argv + std::min(argc, 1), argv + argc};
}

void PrepareStandardStreams() {}  // bytes go out as written already

void KeepFreedMemory() {
#ifdef __GLIBC__
    // glibc gives the top of the heap back once 128 KiB of it are free (after
    // each map of a batch on the main thread), and serves buffers from 128 KiB
    // up with pages of their own, unmapped when freed, until it sees one freed.
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
#endif
}

}  // namespace platform
