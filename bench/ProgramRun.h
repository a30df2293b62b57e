#pragma once

// A program run as the clerk runs it, process and all, timed from its start.
#include <filesystem>
#include <string>
#include <vector>

namespace bench_book {

// The program of that name built beside the running benchmark's own.
std::filesystem::path besideThisProgram(const char* name);

// Runs `program` with `arguments` and returns the seconds until it wrote the line `said`, or
// until it ended when `said` is empty. Throws when it never says it or ends otherwise than
// with 0.
double secondsToRun(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                    const std::string& said = {});

} // namespace bench_book
