#pragma once

#include <filesystem>
#include <string_view>

namespace store {

// What killed runs left in `folder`: each entry named `stem` + `mark` + the number of a
// process no longer running (and whatever followed), such as "entries.csv.partial-3497" or
// "2026.closing-812.partial-812"; an empty `stem` stands for any name before the mark.
// Removes each; an entry a live process still writes stays.
void removeLeftovers(const std::filesystem::path& folder, std::string_view stem, std::string_view mark);

// `path` with `mark` and this program's process number after its name: where it works on
// something aside before giving it its name, so a killed run's leftover is known by its mark.
std::filesystem::path asideOf(const std::filesystem::path& path, std::string_view mark);

// The process number after `stem` + `mark` in an entry's name, or 0 when it is not such a name.
long leftoverOwner(std::string_view name, std::string_view stem, std::string_view mark);

} // namespace store
