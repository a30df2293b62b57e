#pragma once

#include "Document.h"

#include <vector>

class QPainter;

namespace printing {

// Paints a document's pages; the one painter behind the preview, the printer and PDF.
class DocumentPainter {
public:
    explicit DocumentPainter(const Document& document);
    ~DocumentPainter();
    DocumentPainter(const DocumentPainter&) = delete;
    DocumentPainter& operator=(const DocumentPainter&) = delete;

    int pageCount() const { return int(document_.pages.size()); }
    // Paints page n (from 0) in the painter's coordinates, which the caller has set to mm
    // with the paper's top-left corner at the origin (translate and scale only). Text is
    // laid out at the device's own resolution, so it is as sharp on paper as on screen.
    void paintPage(int n, QPainter& painter) const;

    struct DeviceFont;

private:
    const Document& document_;
    mutable std::vector<DeviceFont> fonts_;
};

} // namespace printing
