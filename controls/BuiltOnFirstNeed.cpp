#include "BuiltOnFirstNeed.h"

#include <utility>
#include <vector>

namespace controls {
namespace {

struct Kept {
    std::unique_ptr<QWidget> window;
    std::function<void()> forget;
};

std::vector<Kept>& kept()
{
    static std::vector<Kept> windows;
    return windows;
}

} // namespace

void keepBuilt(std::unique_ptr<QWidget> window, std::function<void()> forget)
{
    kept().push_back({std::move(window), std::move(forget)});
}

void releaseBuiltWindows()
{
    std::vector<Kept>& windows = kept();
    while (!windows.empty()) {
        Kept last = std::move(windows.back());
        windows.pop_back();
        last.forget();
        last.window.reset();
    }
}

} // namespace controls
