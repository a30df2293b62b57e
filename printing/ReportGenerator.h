#pragma once

#include "Document.h"

#include <functional>

namespace printing {

// Told how far generation has come, in per cent.
using Progress = std::function<void(int percent)>;

// Walks the report's bands and cursors into a document:
// - the title band once, at the top of the first page;
// - with a cursor of its own: from its first record, the column header band and then the
//   detail band once per record, each followed by the sub-detail bands; with no record,
//   the detail band once with empty boxes (when the report prints empty) and no header;
// - with no cursor: the detail band once, then the sub-detail bands;
// - a sub-detail band with a cursor prints once per record of it from its first, or once
//   empty when it has none and prints empty; with no cursor, once;
// - the summary band once at the end.
// A band that does not fit above the page footer's space ends the page: the footer goes
// at the foot, a new page begins at the top margin with the column header, if any. Every
// cursor walked is left on its last record. Throws what the cursors throw.
Document generateReport(const TQuickRep& report, const Progress& progress = {});

} // namespace printing
