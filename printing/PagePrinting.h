#pragma once

#include "Document.h"

#include <QPageLayout>

#include <functional>
#include <vector>

class QPagedPaintDevice;
class QString;

namespace printing {

// Told of each page once it is painted, with its number (from 1).
using PagePainted = std::function<void(int page)>;

// The document's paper and orientation, with no margins: the pages carry their own.
QPageLayout pageLayoutOf(const Document& document);

// The pages (from 1) to put on sheets, in order, for pages first..last printed `copies`
// times: each copy whole in turn when collated, else each page `copies` times over.
std::vector<int> sheetsToPrint(int first, int last, int copies, bool collated);

// Paints the given pages (from 1), each on a sheet of its own, the paper's corner at the
// device's corner; `painted` is told how many are done. Throws std::runtime_error when the
// device cannot be painted on; a print stopped half-way sends no sheet.
void paintSheets(const Document& document, QPagedPaintDevice& device, const std::vector<int>& pages,
                 const PagePainted& painted = {});

// Writes every page of the document to a PDF file at `path`.
void writePdf(const Document& document, const QString& path, const PagePainted& painted = {});

} // namespace printing
