#pragma once

#include <string>

namespace store {

// A failure of the table engine as the clerk reads it: what happened, in Arabic, and to
// which file; the engine's own text follows on a line of its own, for whoever has to mend it.
std::string engineFailure(int engineCode, const std::string& file, const std::string& engineText);

} // namespace store
