#include "NavigatorGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace controls {
namespace {

constexpr int glyphSize = 16; // in pixels

QPolygonF triangle(bool pointingLeft, qreal left)
{
    const qreal tip = pointingLeft ? left : left + 6;
    const qreal base = pointingLeft ? left + 6 : left;
    return QPolygonF({QPointF(tip, 8), QPointF(base, 3), QPointF(base, 13)});
}

void draw(QPainter& painter, NavigatorButton button)
{
    const QColor ink(0x00, 0x00, 0x80);
    painter.setBrush(ink);
    painter.setPen(QPen(ink, 1.2));
    switch (button) {
    case NavigatorButton::First:
        painter.drawRect(QRectF(3, 3, 1.5, 10));
        painter.drawPolygon(triangle(true, 6));
        break;
    case NavigatorButton::Prior:
        painter.drawPolygon(triangle(true, 5));
        break;
    case NavigatorButton::Next:
        painter.drawPolygon(triangle(false, 5));
        break;
    case NavigatorButton::Last:
        painter.drawPolygon(triangle(false, 4));
        painter.drawRect(QRectF(11.5, 3, 1.5, 10));
        break;
    case NavigatorButton::Insert:
        painter.drawRect(QRectF(7, 3, 2, 10));
        painter.drawRect(QRectF(3, 7, 10, 2));
        break;
    case NavigatorButton::Delete:
        painter.drawRect(QRectF(3, 7, 10, 2));
        break;
    case NavigatorButton::Edit:
        painter.drawPolygon(QPolygonF({QPointF(8, 4), QPointF(3, 12), QPointF(13, 12)}));
        break;
    case NavigatorButton::Post:
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(ink, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(QPolygonF({QPointF(3, 8), QPointF(6.5, 12), QPointF(13, 4)}));
        break;
    case NavigatorButton::Cancel:
        painter.setPen(QPen(QColor(0x90, 0x00, 0x00), 2.2, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(4, 4), QPointF(12, 12));
        painter.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    case NavigatorButton::Refresh: {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(ink, 1.8, Qt::SolidLine, Qt::RoundCap));
        painter.drawArc(QRectF(3, 3, 10, 10), 60 * 16, 280 * 16);
        painter.setBrush(ink);
        painter.setPen(Qt::NoPen);
        painter.drawPolygon(QPolygonF({QPointF(9, 1.5), QPointF(13.5, 3.5), QPointF(9.5, 6.5)}));
        break;
    }
    }
}

} // namespace

QIcon navigatorGlyph(NavigatorButton button)
{
    QPixmap picture(glyphSize, glyphSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter, button);
    painter.end();
    return QIcon(picture);
}

} // namespace controls
