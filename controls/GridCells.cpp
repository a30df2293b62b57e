#include "GridCells.h"

#include "IsolatedText.h"
#include "KeptPaintings.h"

#include <algorithm>

namespace controls {
namespace {

// Digits with their signs and the hours text's point, and nothing else.
bool isFigure(const QString& text)
{
    const auto digit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    return std::any_of(text.begin(), text.end(), digit)
           && std::all_of(text.begin(), text.end(), [&](QChar c) { return digit(c) || c == u'-' || c == u'+' || c == u'.'; });
}

} // namespace

QString GridCells::displayText(const QVariant& value, const QLocale& locale) const
{
    const QString text = QStyledItemDelegate::displayText(value, locale);
    if (text.isEmpty())
        return text;
    // Isolated: the cell's own reading order would otherwise carry a sign to the far end.
    return isFigure(text) ? isolatedLeftToRight(text) : isolated(text);
}

void GridCells::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    // Under an alternate row the view paints a colour of its own, which a kept cell cannot know;
    // the current cell's rounded frame is drawn a shade apart at another place on the grid.
    if (cell.features.testFlag(QStyleOptionViewItem::Alternate) || cell.state.testFlag(QStyle::State_HasFocus)) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    PaintingKey key(u"grid-cell");
    key.text(cell.text).font(cell.font).colours(cell.palette);
    key.figures({qint64(cell.state), qint64(cell.features), qint64(cell.displayAlignment), qint64(cell.direction),
                 qint64(cell.textElideMode), qint64(cell.backgroundBrush.style()), qint64(cell.backgroundBrush.color().rgba()),
                 qint64(quintptr(cell.widget ? cell.widget->style() : nullptr))});
    const QPalette::ColorGroup group = !cell.state.testFlag(QStyle::State_Enabled) ? QPalette::Disabled
                                       : cell.state.testFlag(QStyle::State_Active) ? QPalette::Active
                                                                                   : QPalette::Inactive;
    paintKept(*painter, option.rect, key, cell.palette.color(group, QPalette::Base), [&](QPainter& onKept, const QRect& atOrigin) {
        QStyleOptionViewItem moved = option;
        moved.rect = atOrigin;
        QStyledItemDelegate::paint(&onKept, moved, index);
    });
}

} // namespace controls
