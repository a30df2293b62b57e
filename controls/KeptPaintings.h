#pragma once

#include <QColor>
#include <QString>

#include <functional>
#include <initializer_list>

class QFont;
class QPainter;
class QPalette;
class QRect;

namespace controls {

// What tells one kept painting from another: every text and figure that decides how it looks,
// its size aside.
class PaintingKey {
public:
    explicit PaintingKey(QStringView kind);

    PaintingKey& text(QStringView text);
    PaintingKey& figures(std::initializer_list<qint64> figures);
    PaintingKey& font(const QFont& font);
    PaintingKey& colours(const QPalette& palette);
    const QString& key() const { return key_; }

private:
    QString key_;
};

// Paints a piece of a list (a cell, a row's mark) once and keeps it: shown again, as a
// clerk's typing scrolls the names back and forth, it is copied instead of drawn anew,
// its letters laid out and all. It is drawn on what the list shows beneath it, so its
// edges and letters blend exactly as they would there; a colour with no alpha says the
// piece covers all it stands on. The keeping is bounded by the program's pixmap cache.
void paintKept(QPainter& painter, const QRect& rect, const PaintingKey& key, const QColor& beneath,
               const std::function<void(QPainter& onKept, const QRect& atOrigin)>& paint);

} // namespace controls
