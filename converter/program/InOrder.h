#pragma once

// Work on several threads whose results come out in the order of the work:
// what runs in parallel, the user reads as one run after another.

#include <chrono>
#include <cstddef>
#include <functional>

// Runs `work(i)` for each i below `count` on `jobs` threads (on this one
// where `jobs` is 1), and `done(i)` on this thread in the order of i, as soon
// as it and all before it are worked. While it waits, `waiting(finished)` at
// most every `every`, with how many are worked. An exception out of
// `work(i)`, on whatever thread, comes out of InOrder once all before i are
// done, as it would on one thread; what was not started then is not.
void InOrder(size_t count, int jobs, const std::function<void(size_t)>& work,
             const std::function<void(size_t)>& done, const std::function<void(size_t)>& waiting,
             std::chrono::milliseconds every = std::chrono::milliseconds(200));
