#pragma once

// The program's windows besides the main one are built the first time they are needed, not
// all at start-up: the clerk's first sight of the program waits for one window, not fourteen.
#include <QWidget>

#include <functional>
#include <memory>

namespace controls {

// Keeps a window built on first need until the program ends; `forget` clears the instance
// pointer that names it.
void keepBuilt(std::unique_ptr<QWidget> window, std::function<void()> forget);
// Releases every window kept, the last built first, each instance pointer cleared before its
// window goes.
void releaseBuiltWindows();

// The window the program-wide `instance` names, built now if it was not yet.
template <typename Window>
Window& built(Window*& instance)
{
    if (!instance) {
        auto window = std::make_unique<Window>();
        instance = window.get();
        keepBuilt(std::move(window), [&instance] { instance = nullptr; });
    }
    return *instance;
}

} // namespace controls
