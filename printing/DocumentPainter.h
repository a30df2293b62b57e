#pragma once

#include "Document.h"

class QPainter;

namespace printing {

// Paints a document's pages; the one painter behind the preview, the printer and PDF.
class DocumentPainter {
public:
    explicit DocumentPainter(const Document& document) : document_(document) {}

    int pageCount() const { return int(document_.pages.size()); }
    // Paints page n (from 0) in the painter's coordinates, which the caller has set to mm
    // with the paper's top-left corner at the origin (translate and scale only). Text is
    // laid out at the device's own resolution, so it is as sharp on paper as on screen.
    void paintPage(int n, QPainter& painter) const;

private:
    const Document& document_;
};

} // namespace printing
