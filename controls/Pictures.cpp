#include "Pictures.h"

#include "Isolated.h"
#include "JpegPicture.h"

#include <QFile>

namespace controls {

QImage picture(Picture which)
{
    QString path;
    switch (which) {
    case Picture::Heart: path = QStringLiteral(":/pictures/heart.jpg"); break;
    case Picture::Traveller: path = QStringLiteral(":/pictures/traveller.jpg"); break;
    case Picture::LeaveWindow: path = QStringLiteral(":/pictures/leave.jpg"); break;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw PictureError("الصورة " + store::isolatedLeftToRight(path.toStdString()) + " غير موجودة في البرنامج");
    return decodeJpeg(file.readAll());
}

} // namespace controls
