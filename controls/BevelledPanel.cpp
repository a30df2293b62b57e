#include "BevelledPanel.h"

#include <QPainter>

namespace controls {
namespace {

const QColor border(0x00, 0x00, 0x00);
const QColor light(0xff, 0xff, 0xff);
const QColor shadow(0x80, 0x80, 0x80);

void bevel(QPainter& painter, const QRect& around, const QColor& aboveAndLeft, const QColor& belowAndRight)
{
    painter.setPen(aboveAndLeft);
    painter.drawLine(around.topLeft(), around.topRight());
    painter.drawLine(around.topLeft(), around.bottomLeft());
    painter.setPen(belowAndRight);
    painter.drawLine(around.bottomLeft(), around.bottomRight());
    painter.drawLine(around.topRight(), around.bottomRight());
}

} // namespace

BevelledPanel::BevelledPanel(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::NoFrame);
    setContentsMargins(edge, edge, edge, edge);
}

void BevelledPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect whole = rect();
    painter.setPen(border);
    painter.drawRect(whole.adjusted(0, 0, -1, -1));
    bevel(painter, whole.adjusted(1, 1, -1, -1), light, shadow);
    bevel(painter, whole.adjusted(2, 2, -2, -2), shadow, light);
}

} // namespace controls
