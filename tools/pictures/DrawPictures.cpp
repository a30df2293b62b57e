// draw-pictures OUTPUT_FOLDER: draws the windows' three pictures and writes them as
// baseline JPEGs (heart.jpg, traveller.jpg, leave.jpg), the files compiled into the program.
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cstdio>
#include <jpeglib.h>

namespace {

bool writeJpeg(const QImage& source, const QString& path)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB888);
    FILE* out = std::fopen(path.toLocal8Bit().constData(), "wb");
    if (!out)
        return false;
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, out);
    info.image_width = JDIMENSION(image.width());
    info.image_height = JDIMENSION(image.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 92, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(image.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(out) == 0;
}

QImage heart()
{
    QImage image(144, 167, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient ground(0, 0, 0, 167);
    ground.setColorAt(0, QColor(0x1e, 0x5f, 0xb4));
    ground.setColorAt(1, QColor(0x0a, 0x2a, 0x6e));
    p.fillRect(image.rect(), ground);
    // Vessels leaving the top of the heart.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xb8, 0x2e, 0x3a));
    p.drawRoundedRect(QRectF(58, 18, 16, 46), 7, 7);
    p.setBrush(QColor(0x4a, 0x6f, 0xc8));
    p.drawRoundedRect(QRectF(80, 24, 12, 40), 6, 6);
    QPainterPath arch;
    arch.moveTo(62, 30);
    arch.cubicTo(62, 6, 104, 6, 104, 30);
    p.setPen(QPen(QColor(0xc9, 0x3a, 0x44), 10, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arch);
    // The heart itself, tilted as in an anatomical drawing.
    QPainterPath body;
    body.moveTo(72, 58);
    body.cubicTo(40, 36, 14, 70, 30, 100);
    body.cubicTo(42, 124, 70, 140, 84, 150);
    body.cubicTo(104, 128, 126, 104, 122, 80);
    body.cubicTo(118, 52, 92, 44, 72, 58);
    QRadialGradient flesh(64, 84, 70);
    flesh.setColorAt(0, QColor(0xf0, 0x5a, 0x5e));
    flesh.setColorAt(0.6, QColor(0xc2, 0x1e, 0x2c));
    flesh.setColorAt(1, QColor(0x7a, 0x0c, 0x16));
    p.setPen(QPen(QColor(0x5a, 0x08, 0x10), 1.5));
    p.setBrush(flesh);
    p.drawPath(body);
    // The groove between the chambers, and a highlight.
    QPainterPath groove;
    groove.moveTo(78, 62);
    groove.cubicTo(70, 90, 82, 118, 84, 146);
    p.setPen(QPen(QColor(0x7a, 0x10, 0x1a), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(groove);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 70));
    p.drawEllipse(QRectF(40, 70, 18, 26));
    return image;
}

QImage traveller()
{
    QImage image(140, 222, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 222);
    sky.setColorAt(0, QColor(0xd6, 0xec, 0xfa));
    sky.setColorAt(1, QColor(0x9c, 0xc8, 0xe8));
    p.fillRect(image.rect(), sky);
    p.fillRect(QRect(0, 196, 140, 26), QColor(0x7a, 0x9a, 0x5a));
    const QColor suit(0x2c, 0x3e, 0x62), skin(0xe8, 0xb8, 0x8a);
    // Legs, mid-stride.
    p.setPen(QPen(suit, 11, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(66, 128), QPointF(50, 192));
    p.drawLine(QPointF(72, 128), QPointF(90, 190));
    p.setPen(QPen(Qt::black, 7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(44, 194), QPointF(54, 194));
    p.drawLine(QPointF(88, 192), QPointF(100, 192));
    // Body and arms; the right arm hangs down to the suitcase.
    p.setPen(Qt::NoPen);
    p.setBrush(suit);
    p.drawRoundedRect(QRectF(54, 62, 30, 72), 10, 10);
    p.setPen(QPen(suit, 9, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(58, 72), QPointF(40, 112));
    p.drawLine(QPointF(80, 72), QPointF(98, 120));
    p.setPen(Qt::NoPen);
    p.setBrush(skin);
    p.drawEllipse(QPointF(99, 124), 5, 5);
    p.drawEllipse(QPointF(39, 114), 5, 5);
    p.drawEllipse(QPointF(69, 44), 15, 17);
    p.setBrush(QColor(0x3a, 0x28, 0x1c));
    p.drawChord(QRectF(54, 26, 30, 24), 0, 180 * 16);
    // The suitcase with its handle.
    p.setPen(QPen(QColor(0x5a, 0x34, 0x18), 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(92, 122, 16, 10), 3, 3);
    p.setBrush(QColor(0x9a, 0x5c, 0x2c));
    p.drawRoundedRect(QRectF(82, 130, 38, 30), 4, 4);
    p.setPen(QPen(QColor(0xe0, 0xb0, 0x50), 2));
    p.drawLine(QPointF(82, 142), QPointF(120, 142));
    return image;
}

QImage leaveWindow()
{
    QImage image(198, 222, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 222);
    sky.setColorAt(0, QColor(0x5a, 0xb4, 0xe6));
    sky.setColorAt(1, QColor(0xf4, 0xd8, 0x9a));
    p.fillRect(image.rect(), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xd2, 0x3c));
    p.drawEllipse(QPointF(150, 46), 24, 24);
    p.setBrush(QColor(0xe8, 0xc8, 0x80));
    p.drawEllipse(QRectF(-40, 180, 280, 90));
    // A palm tree on the dune.
    p.setPen(QPen(QColor(0x7a, 0x50, 0x28), 8, Qt::SolidLine, Qt::RoundCap));
    QPainterPath trunk;
    trunk.moveTo(150, 196);
    trunk.cubicTo(146, 160, 132, 130, 136, 104);
    p.setBrush(Qt::NoBrush);
    p.drawPath(trunk);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2e, 0x8a, 0x3a));
    for (int angle : {-150, -110, -60, -20, 20}) {
        p.save();
        p.translate(136, 104);
        p.rotate(angle);
        p.drawEllipse(QRectF(0, -6, 44, 12));
        p.restore();
    }
    // A calendar page with one day marked.
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1.5));
    p.drawRect(QRectF(18, 60, 92, 98));
    p.fillRect(QRectF(18, 60, 92, 20), QColor(0xc8, 0x28, 0x30));
    p.setPen(QPen(QColor(0x90, 0x90, 0x90), 1));
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 5; ++col)
            p.drawRect(QRectF(24 + col * 17, 86 + row * 17, 13, 13));
    p.setPen(QPen(QColor(0xc8, 0x28, 0x30), 2.5));
    p.drawEllipse(QRectF(55, 117, 19, 19));
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw-pictures OUTPUT_FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const bool written = writeJpeg(heart(), folder + QStringLiteral("/heart.jpg"))
                         && writeJpeg(traveller(), folder + QStringLiteral("/traveller.jpg"))
                         && writeJpeg(leaveWindow(), folder + QStringLiteral("/leave.jpg"));
    return written ? 0 : 1;
}
