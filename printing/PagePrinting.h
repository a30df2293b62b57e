#pragma once

#include "Document.h"

#include <QPageLayout>

#include <functional>

class QPagedPaintDevice;
class QString;

namespace printing {

// Told of each page once it is painted, with its number (from 1).
using PagePainted = std::function<void(int page)>;

// The document's paper and orientation, with no margins: the pages carry their own.
QPageLayout pageLayoutOf(const Document& document);

// Paints pages firstPage..lastPage (from 1) on a printer or PDF writer, each on a sheet of
// its own, the paper's corner at the device's corner. Throws std::runtime_error when the
// device cannot be painted on.
void paintPages(const Document& document, QPagedPaintDevice& device, int firstPage, int lastPage,
                const PagePainted& painted = {});

// Writes every page of the document to a PDF file at `path`.
void writePdf(const Document& document, const QString& path, const PagePainted& painted = {});

} // namespace printing
