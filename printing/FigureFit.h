#pragma once

#include "Document.h"

#include <QString>

namespace printing {

// A whole number as a data box prints it: an optional minus and digits.
bool isFigure(const QString& text);
// Digits with their signs, points and slashes only: a date or an hours text, which has no
// space to wrap at either.
bool isFigureText(const QString& text);

// A figure on paper is either whole or visibly not there: in a box too narrow for it, its
// type shrinks to fit, down to half its size; where even that cannot fit, it prints as a mark
// no one can read as a number. Never cut into another plausible number.
struct FittedFigure {
    QString text;
    ReportFont font;
    double lowerBy = 0; // in mm: smaller type sits on the line the layout's size would
};
FittedFigure fitFigure(const QString& figure, const ReportFont& font, double boxWidth); // box in mm

// A record's text in its data box: a figure, a date or an hours text reads left to right and
// is fitted as above; a name keeps the layout's cut.
PlacedText placedRecordText(PlacedText box, const QString& text);

} // namespace printing
