#pragma once

#include "Document.h"

#include <stdexcept>

class QIODevice;

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

} // namespace printing
