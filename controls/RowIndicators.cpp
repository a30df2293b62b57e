#include "RowIndicators.h"

#include "KeptPaintings.h"

#include <QStyleOptionHeaderV2>

namespace controls {

RowIndicators::RowIndicators(QWidget* parent, int width, int rowHeight) : QHeaderView(Qt::Vertical, parent)
{
    setSectionResizeMode(QHeaderView::Fixed);
    setDefaultSectionSize(rowHeight);
    setFixedWidth(width);
    setDefaultAlignment(Qt::AlignCenter);
    setSectionsClickable(false);
    setHighlightSections(false);
}

QSize RowIndicators::sizeHint() const
{
    return {width(), defaultSectionSize()};
}

void RowIndicators::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    if (!rect.isValid())
        return;
    QStyleOptionHeaderV2 mark;
    initStyleOption(&mark);
    initStyleOptionForIndex(&mark, logicalIndex);
    PaintingKey key(u"row-mark");
    key.text(mark.text).font(font()).colours(mark.palette);
    key.figures({qint64(mark.state), qint64(mark.position), qint64(mark.selectedPosition), qint64(mark.textAlignment),
                 qint64(mark.direction), qint64(quintptr(style()))});
    // The style paints a mark over all it stands on.
    paintKept(*painter, rect, key, Qt::transparent, [&](QPainter& onKept, const QRect& atOrigin) {
        QHeaderView::paintSection(&onKept, atOrigin, logicalIndex);
    });
}

} // namespace controls
