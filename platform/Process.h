#pragma once

#include <string>
#include <vector>

namespace platform {

// The program's arguments, each in UTF-8 whatever the system passes them in.
std::vector<std::string> Arguments(int argc, char** argv);

// Standard output and error as the program writes them: bytes as they are
// (no line ends translated), and UTF-8 shown as such where they are a console.
void PrepareStandardStreams();

// Memory as a run of many maps uses it: what one map frees, the next takes
// again, so it stays with the process rather than going back to the system
// after every map (which costs the next map its page faults anew). Not for
// one map, whose peak it would raise.
void KeepFreedMemory();

}  // namespace platform
