#pragma once

// A generated report: pages of placed text boxes and rectangles, in mm from the paper's
// top-left corner, in the order they are drawn. Nothing here knows how to paint.
#include "ReportLayout.h"

#include <QRectF>

#include <variant>
#include <vector>

namespace printing {

struct PlacedText {
    QString element; // the layout element it came from, e.g. QRLabel14
    QRectF box;      // in mm
    QString text;
    ReportFont font;
    TextLook look;
    bool operator==(const PlacedText&) const = default;
};

struct PlacedShape {
    QString element;
    QRectF box; // in mm
    bool operator==(const PlacedShape&) const = default;
};

using PlacedItem = std::variant<PlacedText, PlacedShape>;

struct DocumentPage {
    std::vector<PlacedItem> items;
    bool operator==(const DocumentPage&) const = default;
};

struct Document {
    QSizeF paper; // in mm, as it lies
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    std::vector<DocumentPage> pages;
    bool operator==(const Document&) const = default;
};

} // namespace printing
