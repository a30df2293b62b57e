#include "StandardPicture.h"

#include <QApplication>
#include <QHash>
#include <QPair>

namespace controls {

QIcon standardPicture(QStyle::StandardPixmap picture)
{
    // Kept by style too: a picture from a style no longer in use is never shown.
    static QHash<QPair<const QStyle*, int>, QIcon> decoded;
    const QStyle* style = QApplication::style();
    QIcon& icon = decoded[qMakePair(style, int(picture))];
    if (icon.isNull())
        icon = style->standardIcon(picture);
    return icon;
}

} // namespace controls
