#pragma once

// A banded report as plain values: page settings, bands and the elements on them.
// Positions and heights are in mm; an element's box is measured from the left margin and
// from the top of its band.
#include <QColor>
#include <QPageLayout>
#include <QPageSize>
#include <QSizeF>
#include <QString>

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace store {
class Cursor;
}

namespace printing {

struct ReportFont {
    QString family = QStringLiteral("Simplified Arabic");
    double points = 14;
    bool bold = true;
    QColor colour = Qt::black;
    bool operator==(const ReportFont&) const = default;
};

// Where a text stands in its box, on the page as seen.
enum class TextAlignment { Left, Right, Center };

struct Box {
    double left = 0;  // in mm from the left margin
    double right = 0; // in mm from the left margin
    double top = 0;   // in mm from the band's top; negative above it
    double height = 0;
};

// What a label or data text box looks like.
struct TextLook {
    std::optional<ReportFont> font; // the report's when empty
    TextAlignment alignment = TextAlignment::Right;
    bool autoSize = false;    // sized to its text, standing at its right edge: never cut
    bool transparent = false; // else white behind the text
    bool wordWrap = false;
    bool clip = false;        // cut to the box
    bool rightToLeft = true;  // reading order
    bool operator==(const TextLook&) const = default;
};

struct TQRLabel {
    QString Name;
    QString Caption;
    Box box;
    TextLook look;
};

// Prints the display text of one field of a cursor's current record.
struct TQRDBText {
    QString Name;
    store::Cursor* DataSet = nullptr;
    std::string DataField;
    Box box;
    TextLook look;
};

// A rectangle: a thin black outline, white inside.
struct TQRShape {
    QString Name;
    Box box;
};

using TQRElement = std::variant<TQRLabel, TQRDBText, TQRShape>;

enum TQRBandType { rbTitle, rbColumnHeader, rbDetail, rbPageFooter, rbSummary, rbSubDetail };

struct TQRBand {
    QString Name;
    TQRBandType BandType = rbDetail;
    double Height = 0; // in mm
    std::vector<TQRElement> elements;
    // A sub-detail band (its master is the report): its own cursor or none, printed once
    // per record of it after the detail band.
    store::Cursor* DataSet = nullptr;
    bool PrintIfEmpty = true;
    bool PrintBefore = false;
};

struct PageSettings {
    QPageSize::PageSizeId paper = QPageSize::A4;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    double topMargin = 10, bottomMargin = 10, leftMargin = 10, rightMargin = 10; // in mm
    int columns = 1;
    // The paper's width and height in mm, as it lies.
    QSizeF paperSize() const;
};

struct TQuickRep {
    QString Name;
    store::Cursor* DataSet = nullptr; // the report's own; with none its detail band prints once
    PageSettings Page;
    ReportFont Font;
    bool PrintIfEmpty = true;
    bool FirstPageHeader = true;
    bool LastPageFooter = true;
    std::vector<TQRBand> Bands; // sub-detail bands run in this order
};

} // namespace printing
