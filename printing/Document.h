#pragma once

// A generated report: pages of placed text boxes and rectangles, in mm from the paper's
// top-left corner, in the order they are drawn. Nothing here knows how to paint.
#include "ReportLayout.h"

#include <QRectF>

#include <memory>
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

// A band as every printing of it stands: its items with their boxes measured from the band's
// top, and which of its texts are the record's, given anew at each printing.
struct BandStamp {
    std::vector<PlacedItem> items;
    std::vector<std::size_t> recordTexts; // indexes into items, in the order the texts are given
};

// A page keeps each band where it was printed and the record's texts it printed with, not a
// copy of every box and type: a summary of a whole book is held at about the size of its
// texts. The items are made again whenever a page is painted or saved.
class DocumentPage {
public:
    DocumentPage() = default;
    explicit DocumentPage(std::vector<PlacedItem> items); // a page as a whole, as a saved report holds it

    // The band printed with its top `top` mm down the paper; `texts` in the order of the stamp's recordTexts.
    void print(std::shared_ptr<const BandStamp> band, double top, std::vector<QString> texts);
    void reserve(std::size_t bands) { printed_.reserve(bands); }
    std::size_t bandsPrinted() const { return printed_.size(); }

    std::vector<PlacedItem> items() const;
    bool operator==(const DocumentPage& other) const { return items() == other.items(); }

private:
    struct Printed {
        std::shared_ptr<const BandStamp> band;
        double top = 0;
        std::vector<QString> texts;
    };
    std::vector<Printed> printed_;
};

struct Document {
    QSizeF paper; // in mm, as it lies
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    std::vector<DocumentPage> pages;
    bool operator==(const Document&) const = default;
};

} // namespace printing
