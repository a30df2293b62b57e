#pragma once

#include <QStyledItemDelegate>

namespace controls {

// How a data-aware grid paints its cells: a whole number keeps its sign before its digits,
// read left to right even in a right-to-left grid ("-5", never "5-").
class GridCells : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QString displayText(const QVariant& value, const QLocale& locale) const override;
};

} // namespace controls
