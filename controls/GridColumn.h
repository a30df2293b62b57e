#pragma once

#include "Field.h"

#include <QColor>
#include <QString>

#include <optional>
#include <string>

namespace controls {

// One column of a data-aware grid: the field it shows, and how.
struct GridColumn {
    std::string fieldName;
    QString title;
    std::optional<int> width;                       // in pixels; the grid's default when empty
    QColor colour;                                  // the cells' background; the grid's when invalid
    QColor titleColour;                             // the title's text; the grid's when invalid
    std::optional<store::FieldAlignment> alignment; // the field's when empty
    bool hidden = false;                            // defined on the grid but never shown
};

} // namespace controls
