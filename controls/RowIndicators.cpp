#include "RowIndicators.h"

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

} // namespace controls
