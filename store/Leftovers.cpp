#include "Leftovers.h"

#include "Processes.h"

#include <string>
#include <vector>

namespace store {

std::filesystem::path asideOf(const std::filesystem::path& path, std::string_view mark)
{
    std::filesystem::path aside = path;
    aside += std::string(mark) + std::to_string(platform::thisProcess());
    return aside;
}

long leftoverOwner(std::string_view name, std::string_view stem, std::string_view mark)
{
    const std::size_t at = stem.empty() ? name.rfind(mark) : stem.size();
    if (at == std::string_view::npos || !name.starts_with(stem) || name.substr(at, mark.size()) != mark)
        return 0;
    const std::string_view rest = name.substr(at + mark.size());
    const std::string_view digits = rest.substr(0, rest.find_first_not_of("0123456789"));
    if (digits.empty() || digits.size() > 9 || (digits.size() < rest.size() && rest[digits.size()] != '.'))
        return 0;
    return std::stol(std::string(digits));
}

void removeLeftovers(const std::filesystem::path& folder, std::string_view stem, std::string_view mark)
{
    std::error_code unreadable;
    std::vector<std::filesystem::path> gone;
    for (const auto& entry : std::filesystem::directory_iterator(folder, unreadable)) {
        const long owner = leftoverOwner(entry.path().filename().string(), stem, mark);
        if (owner != 0 && !platform::processRunning(owner))
            gone.push_back(entry.path());
    }
    for (const std::filesystem::path& leftover : gone) {
        std::error_code ignored;
        std::filesystem::remove_all(leftover, ignored);
    }
}

} // namespace store
