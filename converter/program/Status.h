#pragma once

// The exit statuses. 0: every zone script was written (with --check: every
// map is clean), or the usage was asked for. 1: a map failed; for it nothing
// was written. 2: the command line is wrong; nothing was done.
constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kBadCommandLine = 2;

// --diff's, as diff and cmp give them.
constexpr int kSameZone = 0;
constexpr int kOtherZone = 1;
constexpr int kTrouble = 2;
