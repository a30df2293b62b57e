#pragma once

#include "Document.h"

#include <stdexcept>

class QIODevice;
class QString;

namespace printing {

// A file that is not a saved report of ours, or one that was cut short or altered.
class SavedReportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A generated report on disk: a tag, the format's version, the length of what follows, the
// pages, and a SHA-256 of the pages, so a damaged file is refused whole.
void saveReport(const Document& document, QIODevice& file);
// Throws SavedReportError; reads nothing into the caller's hands on failure.
Document loadReport(QIODevice& file);

// The same as files the clerk names. Saving writes aside and puts the file in place only
// when whole and synced, so a failed save leaves the file there was as it was; loading
// refuses a missing file, a folder, a pipe or a device, and a file larger than any report,
// before a byte is read. Throws SavedReportError saying why, naming the file.
void saveReportFile(const Document& document, const QString& path);
Document loadReportFile(const QString& path);

} // namespace printing
