#include "SavedReport.h"
#include "Isolated.h"
#include "WholeFile.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>

#include <cmath>

namespace printing {
namespace {

// Far above the summary of 100,000 workers, far below what would exhaust the memory.
constexpr qint64 largestSavedReport = qint64(1) << 30;

const QByteArray tag = QByteArrayLiteral("IJAZAT-REPORT");
constexpr quint32 formatVersion = 1;
constexpr quint8 textItem = 1;
constexpr quint8 shapeItem = 2;
// Far beyond any real report, so a damaged count cannot make the reader allocate wildly.
constexpr quint32 mostPages = 100000;
constexpr quint32 mostItemsOnAPage = 100000;
constexpr double largestPage = 10000; // in mm: ten metres, far beyond any paper
constexpr double largestType = 1000;  // in points

void write(QDataStream& out, const QRectF& box)
{
    out << box.x() << box.y() << box.width() << box.height();
}

void write(QDataStream& out, const ReportFont& font)
{
    out << font.family << font.points << font.bold << font.colour.rgba();
}

void write(QDataStream& out, const TextLook& look)
{
    out << quint8(look.alignment) << look.autoSize << look.transparent << look.wordWrap << look.clip
        << look.rightToLeft;
}

QByteArray pagesOf(const Document& document)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << document.paper.width() << document.paper.height() << quint8(document.orientation);
    out << quint32(document.pages.size());
    for (const DocumentPage& page : document.pages) {
        const std::vector<PlacedItem> items = page.items();
        out << quint32(items.size());
        for (const PlacedItem& item : items) {
            if (const auto* text = std::get_if<PlacedText>(&item)) {
                out << textItem << text->element;
                write(out, text->box);
                out << text->text;
                write(out, text->font);
                write(out, text->look);
            } else {
                const auto& shape = std::get<PlacedShape>(item);
                out << shapeItem << shape.element;
                write(out, shape.box);
            }
        }
    }
    return bytes;
}

class Reader {
public:
    explicit Reader(const QByteArray& bytes) : in_(bytes)
    {
        in_.setVersion(QDataStream::Qt_6_0);
    }

    Document document()
    {
        Document read;
        const double width = measure(1, largestPage);
        const double height = measure(1, largestPage);
        read.paper = QSizeF(width, height);
        const quint8 orientation = byte();
        if (orientation > quint8(QPageLayout::Landscape))
            fail();
        read.orientation = QPageLayout::Orientation(orientation);
        const quint32 pages = count(mostPages);
        for (quint32 p = 0; p < pages; ++p) {
            std::vector<PlacedItem> items(count(mostItemsOnAPage));
            for (PlacedItem& placed : items)
                placed = item();
            read.pages.emplace_back(std::move(items));
        }
        check();
        if (!in_.atEnd())
            fail();
        return read;
    }

private:
    [[noreturn]] static void fail() { throw SavedReportError("الملف ليس تقريراً محفوظاً، أو هو تالف"); }

    void check() const
    {
        if (in_.status() != QDataStream::Ok)
            fail();
    }

    quint8 byte()
    {
        quint8 value = 0;
        in_ >> value;
        check();
        return value;
    }

    quint32 count(quint32 most)
    {
        quint32 value = 0;
        in_ >> value;
        check();
        if (value > most)
            fail();
        return value;
    }

    // A measure in mm, or a size in points, within what any report could hold: a damaged
    // or crafted file's NaN or 1e308 is refused before anything is laid out with it.
    double measure(double least, double most)
    {
        double value = 0;
        in_ >> value;
        check();
        if (!std::isfinite(value) || value < least || value > most)
            fail();
        return value;
    }

    QRectF box()
    {
        const double x = measure(-largestPage, largestPage);
        const double y = measure(-largestPage, largestPage);
        const double w = measure(0, largestPage);
        const double h = measure(0, largestPage);
        return QRectF(x, y, w, h);
    }

    PlacedItem item()
    {
        const quint8 kind = byte();
        QString element;
        in_ >> element;
        if (kind == shapeItem) {
            PlacedShape shape{element, box()};
            check();
            return shape;
        }
        if (kind != textItem)
            fail();
        PlacedText text;
        text.element = element;
        text.box = box();
        in_ >> text.text;
        QRgb colour = 0;
        in_ >> text.font.family;
        text.font.points = measure(0.1, largestType);
        in_ >> text.font.bold >> colour;
        text.font.colour = QColor::fromRgba(colour);
        const quint8 alignment = byte();
        if (alignment > quint8(TextAlignment::Center))
            fail();
        text.look.alignment = TextAlignment(alignment);
        in_ >> text.look.autoSize >> text.look.transparent >> text.look.wordWrap >> text.look.clip
            >> text.look.rightToLeft;
        check();
        return text;
    }

    QDataStream in_;
};

} // namespace

void saveReport(const Document& document, QIODevice& file)
{
    const QByteArray pages = pagesOf(document);
    QByteArray whole = tag;
    QDataStream out(&whole, QIODevice::WriteOnly | QIODevice::Append);
    out.setVersion(QDataStream::Qt_6_0);
    out << formatVersion << quint64(pages.size());
    whole += pages;
    whole += QCryptographicHash::hash(pages, QCryptographicHash::Sha256);
    if (file.write(whole) != whole.size())
        throw SavedReportError("تعذّرت كتابة التقرير: " + file.errorString().toStdString());
}

Document loadReport(QIODevice& file)
{
    const QByteArray whole = file.readAll();
    const qsizetype headerSize = tag.size() + qsizetype(sizeof(quint32) + sizeof(quint64));
    const qsizetype hashSize = 32;
    if (whole.size() < headerSize + hashSize || !whole.startsWith(tag))
        throw SavedReportError("الملف ليس تقريراً محفوظاً، أو هو تالف");
    QDataStream header(whole.mid(tag.size(), headerSize - tag.size()));
    header.setVersion(QDataStream::Qt_6_0);
    quint32 version = 0;
    quint64 length = 0;
    header >> version >> length;
    if (version != formatVersion)
        throw SavedReportError("حُفظ التقرير بصيغة الإصدار " + store::isolatedLeftToRight(std::to_string(version))
                               + "، وهذا البرنامج لا يقرؤها");
    if (length != quint64(whole.size() - headerSize - hashSize))
        throw SavedReportError("الملف ليس تقريراً محفوظاً، أو هو تالف");
    const QByteArray pages = whole.mid(headerSize, qsizetype(length));
    if (QCryptographicHash::hash(pages, QCryptographicHash::Sha256) != whole.right(hashSize))
        throw SavedReportError("الملف ليس تقريراً محفوظاً، أو هو تالف");
    return Reader(pages).document();
}

void saveReportFile(const Document& document, const QString& path)
{
    // Written aside and put in place only when whole and synced: a full disk or a failed
    // write leaves the file there was as it was.
    const std::string refusal = "تعذّر حفظ التقرير في " + store::isolatedLeftToRight(path.toStdString()) + ": ";
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw SavedReportError(refusal + reasonOf(file, errno));
    try {
        saveReport(document, file);
        commitWhole(file, refusal);
    } catch (const std::runtime_error& error) {
        throw SavedReportError(error.what());
    }
}

Document loadReportFile(const QString& path)
{
    // Checked before a byte is read: a pipe or a device could block or never end.
    const QFileInfo info(path);
    const std::string refusal = "تعذّرت قراءة التقرير من " + store::isolatedLeftToRight(path.toStdString()) + ": ";
    if (!info.exists())
        throw SavedReportError(refusal + "لا ملف بهذا الاسم");
    if (!info.isFile())
        throw SavedReportError(refusal + "ليس ملفاً");
    if (info.size() > largestSavedReport)
        throw SavedReportError("الملف ليس تقريراً محفوظاً، أو هو تالف");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw SavedReportError(refusal + file.errorString().toStdString());
    return loadReport(file);
}

} // namespace printing
