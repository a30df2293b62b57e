#pragma once

#include <cstdint>

namespace controls {

// One clerk action: what one key or click of the clerk sets going, every handler it runs
// included (a click's press and release are one action). The first handler run after a
// key or click begins a new action, which renews the book's one wait for a lock another
// program holds; handlers run without new input (timers, queued calls) belong to the last one.
class ClerkAction {
public:
    ClerkAction();

    // The action under way or last ended; 0 before the first.
    static std::uint64_t current();
};

} // namespace controls
