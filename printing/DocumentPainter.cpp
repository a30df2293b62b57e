#include "DocumentPainter.h"

#include <QPaintDevice>
#include <QPainter>

namespace printing {
namespace {

constexpr double millimetresPerPoint = 25.4 / 72;
constexpr double hairline = 0.2; // in mm, a shape's outline

Qt::Alignment horizontal(TextAlignment alignment)
{
    // Absolute: a right-to-left painter would otherwise mirror left and right.
    switch (alignment) {
    case TextAlignment::Left:
        return Qt::AlignLeft | Qt::AlignAbsolute;
    case TextAlignment::Right:
        return Qt::AlignRight | Qt::AlignAbsolute;
    case TextAlignment::Center:
        break;
    }
    return Qt::AlignHCenter;
}

QFont deviceFont(const ReportFont& wanted, double pixelsPerMillimetre, const QPaintDevice& device)
{
    QFont font(wanted.family);
    font.setBold(wanted.bold);
    // A point size that comes out at the right height on this device at this scale.
    const double pixels = wanted.points * millimetresPerPoint * pixelsPerMillimetre;
    font.setPointSizeF(std::max(0.5, pixels * 72.0 / device.logicalDpiY()));
    return font;
}

void paintText(QPainter& painter, const PlacedText& text, const QTransform& toDevice)
{
    const QRectF box = toDevice.mapRect(text.box);
    if (!text.look.transparent)
        painter.fillRect(box, Qt::white);
    if (text.text.isEmpty())
        return;
    painter.save();
    painter.setFont(deviceFont(text.font, toDevice.m11(), *painter.device()));
    painter.setPen(text.font.colour);
    painter.setLayoutDirection(text.look.rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    int flags = int(horizontal(text.look.alignment)) | Qt::AlignTop;
    if (text.look.wordWrap)
        flags |= Qt::TextWordWrap;
    if (text.look.clip)
        painter.setClipRect(box);
    else
        flags |= Qt::TextDontClip;
    painter.drawText(box, flags, text.text);
    painter.restore();
}

void paintShape(QPainter& painter, const PlacedShape& shape, const QTransform& toDevice)
{
    const QRectF box = toDevice.mapRect(shape.box);
    painter.save();
    painter.setPen(QPen(Qt::black, std::max(1.0, hairline * toDevice.m11())));
    painter.setBrush(Qt::white);
    painter.drawRect(box);
    painter.restore();
}

} // namespace

void DocumentPainter::paintPage(int n, QPainter& painter) const
{
    const DocumentPage& page = document_.pages.at(std::size_t(n));
    const QTransform toDevice = painter.worldTransform();
    painter.save();
    painter.resetTransform();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(toDevice.mapRect(QRectF(QPointF(0, 0), document_.paper)), Qt::white);
    for (const PlacedItem& item : page.items) {
        if (const auto* text = std::get_if<PlacedText>(&item))
            paintText(painter, *text, toDevice);
        else
            paintShape(painter, std::get<PlacedShape>(item), toDevice);
    }
    painter.restore();
}

} // namespace printing
