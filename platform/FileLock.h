#pragma once

#include <filesystem>
#include <cstdint>
#include <system_error>

namespace platform {

// A lock on a small file, shared by many holders or held by one alone, given back when this
// ends or the process does, however it ends.
class FileLock {
public:
    enum class Kind { Shared, Alone };
    enum class Outcome { Held, TakenElsewhere, Unopened, Failed };

    FileLock() = default;
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Opens `file`, making it when missing, and takes the lock without waiting. On Unopened
    // or Failed, `failure()` says why the file could not be opened or locked.
    Outcome take(const std::filesystem::path& file, Kind kind);
    std::error_code failure() const { return failure_; }

private:
    void giveBack() noexcept;

    std::intptr_t handle_ = -1;
    std::error_code failure_;
};

} // namespace platform
