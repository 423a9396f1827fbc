#pragma once
// Tests that repeat a race many times to meet a rare interleaving make a quarter of their
// repetitions under the address sanitizer. There each repetition costs ten times as much, mostly
// in the processes they fork, and the sanitizer checks the memory of every path, which a few
// repetitions already take; the Release run makes them all.

#include <algorithm>

constexpr int Repetitions(int inRelease)
{
#if defined(__SANITIZE_ADDRESS__)
    return std::max(1, inRelease / 4);
#else
    return inRelease;
#endif
}
