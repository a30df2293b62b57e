#include "ProgramRun.h"

#include <chrono>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace bench_book {

std::filesystem::path besideThisProgram(const char* name)
{
    return std::filesystem::read_symlink("/proc/self/exe").parent_path() / name;
}

double secondsToRun(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                    const std::string& said)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        throw std::runtime_error("no pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    const std::string path = program.string();
    std::vector<char*> argv{const_cast<char*>(path.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, path.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0)
        throw std::runtime_error("cannot start " + path);
    // Read to the end either way, so the program never blocks on a full pipe.
    std::string line;
    bool heard = false;
    auto done = std::chrono::steady_clock::now();
    char c = 0;
    while (read(pipeEnds[0], &c, 1) == 1) {
        if (c != '\n') {
            line += c;
            continue;
        }
        if (!heard && !said.empty() && line == said) {
            heard = true;
            done = std::chrono::steady_clock::now();
        }
        line.clear();
    }
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (said.empty())
        done = std::chrono::steady_clock::now();
    if ((!said.empty() && !heard) || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(path + (said.empty() ? " failed" : " never said " + said));
    return std::chrono::duration<double>(done - start).count();
}

} // namespace bench_book
