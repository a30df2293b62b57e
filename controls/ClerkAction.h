#pragma once

#include <QObject>

#include <cstdint>
#include <functional>

namespace controls {

// One clerk action: what one key or click of the clerk sets going, every handler it runs
// included (a click's press and release are one action). An action begins at the key or
// click itself, before anything handles it, and renews the book's one wait for a lock
// another program holds; handlers run without new input (timers, queued calls) belong to
// the last one. Before the program has seen any input, the first handler begins one.
class ClerkAction {
public:
    ClerkAction();

    // The action under way or last ended; 0 before the first.
    static std::uint64_t current();

    // Runs `work` once when the clerk's next action begins, before its key or click is
    // handled, unless `owner` is gone by then: what a lock kept from being read is read
    // again at the clerk's next touch.
    static void atNextAction(QObject* owner, std::function<void()> work);
};

} // namespace controls
