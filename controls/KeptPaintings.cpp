#include "KeptPaintings.h"

#include <QFont>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QPixmapCache>

namespace controls {

PaintingKey::PaintingKey(QStringView kind) : key_(kind.toString()) {}

PaintingKey& PaintingKey::text(QStringView text)
{
    // The length first, so no text can pass for two others put together.
    figures({text.size()});
    key_.append(text);
    return *this;
}

PaintingKey& PaintingKey::figures(std::initializer_list<qint64> figures)
{
    for (const qint64 figure : figures) {
        const auto bits = quint64(figure);
        for (int shift = 0; shift < 64; shift += 16)
            key_.append(QChar(char16_t(bits >> shift)));
    }
    return *this;
}

PaintingKey& PaintingKey::font(const QFont& font)
{
    return text(font.key());
}

PaintingKey& PaintingKey::colours(const QPalette& palette)
{
    return figures({qint64(palette.cacheKey())});
}

namespace {

// The pixels a painting lands on: its letters are blended in the same format, or their edges
// could come out a shade apart from the same letters painted straight there.
QImage::Format formatPaintedOn(QPainter& painter)
{
    const QPaintEngine* engine = painter.paintEngine();
    const QPaintDevice* device = engine ? engine->paintDevice() : nullptr;
    if (device && device->devType() == QInternal::Image)
        return static_cast<const QImage*>(device)->format();
    return QImage::Format_ARGB32_Premultiplied;
}

} // namespace

void paintKept(QPainter& painter, const QRect& rect, const PaintingKey& key, const QColor& beneath,
               const std::function<void(QPainter& onKept, const QRect& atOrigin)>& paint)
{
    const qreal pixelRatio = painter.device()->devicePixelRatio();
    const QImage::Format format = formatPaintedOn(painter);
    PaintingKey sized = key;
    sized.figures({rect.width(), rect.height(), qint64(pixelRatio * 100), qint64(format)});
    const QString& name = sized.key();
    QPixmap kept;
    if (!QPixmapCache::find(name, &kept)) {
        QImage painted(rect.size() * pixelRatio, format);
        painted.setDevicePixelRatio(pixelRatio);
        painted.fill(beneath);
        QPainter onKept(&painted);
        paint(onKept, QRect(QPoint(0, 0), rect.size()));
        onKept.end();
        kept = QPixmap::fromImage(std::move(painted), Qt::NoFormatConversion);
        QPixmapCache::insert(name, kept);
    }
    painter.drawPixmap(rect.topLeft(), kept);
}

} // namespace controls
