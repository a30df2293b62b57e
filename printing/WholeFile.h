#pragma once

#include <QSaveFile>

#include <string>

namespace printing {

// Puts a file written aside in its place only once every byte of it reached the disk and
// was synced. A short write (a full disk, a size limit) is not always an error to Qt: the
// file's size is checked against what was written. Otherwise throws std::runtime_error,
// `refusal` followed by the real reason, and the earlier file stays as it was.
void commitWhole(QSaveFile& file, const std::string& refusal);

// The reason a file could not be opened or written, never "Unknown error".
std::string reasonOf(const QFileDevice& file, int lastError);

} // namespace printing
