// draw-icon OUTPUT_FOLDER: draws the program's icon, a leave calendar on the main window's
// blue, once as an SVG and once as a PNG for every size desktops ask for. Both come from
// the same list of shapes, so the small pictures are the large one, not redrawings of it.
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QSaveFile>
#include <QString>

#include <array>
#include <cstdio>
#include <vector>

namespace {

constexpr int canvas = 256;

struct Shape {
    QRectF box;
    qreal radius;
    QColor fill;
};

// A page of the calendar with its binding rings and a coloured heading; the days taken
// off are the green ones.
std::vector<Shape> shapes()
{
    const QColor ground(0x00, 0x64, 0x97), page(0xff, 0xff, 0xff), heading(0xe8, 0x9f, 0x2e),
        ring(0x1d, 0x2b, 0x36), day(0xc9, 0xda, 0xe6), leave(0x2e, 0x9e, 0x5b);
    std::vector<Shape> all{
        {QRectF(12, 12, 232, 232), 44, ground},
        {QRectF(44, 58, 168, 158), 16, page},
        {QRectF(44, 58, 168, 44), 16, heading},
        {QRectF(44, 84, 168, 18), 0, heading},
        {QRectF(82, 40, 16, 36), 8, ring},
        {QRectF(158, 40, 16, 36), 8, ring},
    };
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 4; ++column) {
            const bool takenOff = row == 1 && column >= 1 && column <= 2;
            all.push_back({QRectF(60 + column * 36, 116 + row * 32, 28, 24), 5, takenOff ? leave : day});
        }
    return all;
}

QImage png(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.scale(qreal(size) / canvas, qreal(size) / canvas);
    for (const Shape& shape : shapes()) {
        painter.setBrush(shape.fill);
        painter.drawRoundedRect(shape.box, shape.radius, shape.radius);
    }
    return image;
}

QByteArray svg()
{
    QByteArray text = QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
                                        "viewBox=\"0 0 256 256\">\n");
    for (const Shape& shape : shapes())
        text += QStringLiteral("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\" fill=\"%6\"/>\n")
                    .arg(shape.box.x())
                    .arg(shape.box.y())
                    .arg(shape.box.width())
                    .arg(shape.box.height())
                    .arg(shape.radius)
                    .arg(shape.fill.name())
                    .toUtf8();
    return text + QByteArrayLiteral("</svg>\n");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw-icon OUTPUT_FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    bool written = true;
    for (int size : std::array{16, 22, 24, 32, 48, 64, 128, 256})
        written = written && png(size).save(folder + QStringLiteral("/ijazat-%1.png").arg(size), "PNG");
    QSaveFile scalable(folder + QStringLiteral("/ijazat.svg"));
    written = written && scalable.open(QIODevice::WriteOnly) && scalable.write(svg()) >= 0 && scalable.commit();
    return written ? 0 : 1;
}
