#pragma once

#include <QString>

namespace controls {

// The program file's name without its folder, cut at its first ".", every letter after
// the first in lower case: the caption of every message box.
QString programTitle(const QString& programFile);

// The title of the running program.
QString applicationTitle();

} // namespace controls
