#pragma once

#include <array>
#include <functional>

#include <sys/wait.h>
#include <unistd.h>

namespace testing_support {

// Runs `action` in two processes started together, as two desks would (`which` is 0 or 1),
// and returns how many of them ended with 0.
inline int succeededOfTwo(const std::function<int(int which)>& action)
{
    std::array<pid_t, 2> started{};
    for (int which = 0; which < 2; ++which)
        if ((started[std::size_t(which)] = fork()) == 0)
            _exit(action(which));
    int succeeded = 0;
    for (const pid_t process : started) {
        int status = 0;
        waitpid(process, &status, 0);
        succeeded += WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    return succeeded;
}

} // namespace testing_support
