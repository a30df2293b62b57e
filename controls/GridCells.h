#pragma once

#include <QStyledItemDelegate>

namespace controls {

// How a grid paints its cells in either reading order: a figure or an hours text reads left
// to right, its sign first ("-5", "-2.-3", never "5-" or "3-.2-"); any other text (a
// name) reads in its own direction, taken from its first letter, so "-Ali" stays "-Ali".
//
// A cell once painted is kept as painted, so a cell shown again (the names a clerk's typing
// scrolls back and forth) is copied rather than laid out letter by letter anew.
class GridCells : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QString displayText(const QVariant& value, const QLocale& locale) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace controls
