#include "GridTitles.h"

#include <QStyleOptionHeaderV2>

namespace controls {

GridTitles::GridTitles(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
{
}

void GridTitles::markSection(int logicalIndex)
{
    if (logicalIndex == marked_)
        return;
    marked_ = logicalIndex;
    viewport()->update();
}

QString GridTitles::shownTitle(int logicalIndex) const
{
    QStyleOptionHeaderV2 option;
    initStyleOptionForIndex(&option, logicalIndex);
    return option.text;
}

void GridTitles::initStyleOptionForIndex(QStyleOptionHeader* option, int logicalIndex) const
{
    QHeaderView::initStyleOptionForIndex(option, logicalIndex);
    QFont font = this->font();
    if (logicalIndex == marked_) {
        option->state |= QStyle::State_On; // the style paints such a title in bold
        font.setBold(true);
    }
    const int room = sectionSize(logicalIndex) - 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, option, this);
    Fitted& fit = fitted_[logicalIndex];
    if (fit.text != option->text || fit.font != font || fit.room != room) {
        const QFontMetrics metrics(font);
        fit = {option->text, font, room,
               metrics.horizontalAdvance(option->text) <= room ? QString() : metrics.elidedText(option->text, Qt::ElideRight, room)};
    }
    if (fit.shown.isEmpty())
        return;
    option->text = fit.shown;
    option->textAlignment = (isRightToLeft() ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignAbsolute | Qt::AlignVCenter;
    if (auto* withElision = qstyleoption_cast<QStyleOptionHeaderV2*>(option))
        withElision->textElideMode = Qt::ElideNone;
}

} // namespace controls
