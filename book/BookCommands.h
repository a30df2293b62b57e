#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// The toolbox's commands, as `ijazat-book` runs them: `args` are its arguments without the
// program's name. Returns the exit status: 0 done, 1 refused or failed (one line on `err`
// saying why), 2 a usage error. `now` names a default backup folder (YYYY-MM-DD_HHMMSS).
int runBookCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   const std::string& now);
