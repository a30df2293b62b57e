#pragma once

#include <filesystem>
#include <functional>
#include <future>
#include <optional>
#include <string>

namespace operations {

// A copy of the book in the making, whatever the book: `fill` writes the five files into a
// folder beside `target`; they are kept on the disk and proven there (integrity and shape of
// every table) while the caller goes on, and only a copy proven sound is given `target`'s name. A `target` that exists
// is refused; a failure, or a copy never kept, leaves nothing behind, and what a killed one
// left beside it goes first.
class CopyUnderProof {
public:
    CopyUnderProof(std::filesystem::path target, const std::function<void(const std::filesystem::path& aside)>& fill);
    ~CopyUnderProof();
    CopyUnderProof(const CopyUnderProof&) = delete;
    CopyUnderProof& operator=(const CopyUnderProof&) = delete;

    // Waits for the proof: throws what it found; otherwise names the copy `target`.
    void keep();

private:
    std::filesystem::path target_;
    std::filesystem::path aside_;
    std::future<std::optional<std::string>> proof_;
};

} // namespace operations
