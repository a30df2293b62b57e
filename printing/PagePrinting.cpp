#include "PagePrinting.h"

#include "DocumentPainter.h"

#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

#include <stdexcept>

namespace printing {

QPageLayout pageLayoutOf(const Document& document)
{
    const QSizeF portrait = document.orientation == QPageLayout::Landscape ? document.paper.transposed()
                                                                           : document.paper;
    return QPageLayout(QPageSize(portrait, QPageSize::Millimeter), document.orientation, QMarginsF());
}

void paintPages(const Document& document, QPagedPaintDevice& device, int firstPage, int lastPage,
                const PagePainted& painted)
{
    QPainter painter;
    if (!painter.begin(&device))
        throw std::runtime_error("The pages could not be sent to the printer or file");
    const double scale = device.logicalDpiX() / 25.4;
    const DocumentPainter pages(document);
    try {
        for (int n = firstPage; n <= lastPage; ++n) {
            if (n > firstPage)
                device.newPage();
            painter.resetTransform();
            painter.scale(scale, scale);
            pages.paintPage(n - 1, painter);
            if (painted)
                painted(n);
        }
    } catch (...) {
        // A print stopped half-way sends no sheet at all.
        if (auto* printer = dynamic_cast<QPrinter*>(&device))
            printer->abort();
        throw;
    }
}

void writePdf(const Document& document, const QString& path, const PagePainted& painted)
{
    // Written aside and put in place only when whole: a failed or cancelled export leaves
    // no half file, and an older file of that name as it was.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error("The PDF cannot be written to " + path.toStdString() + ": "
                                 + file.errorString().toStdString());
    {
        QPdfWriter pdf(&file);
        pdf.setResolution(300);
        pdf.setPageLayout(pageLayoutOf(document));
        pdf.setCreator(QStringLiteral("ijazat"));
        paintPages(document, pdf, 1, int(document.pages.size()), painted);
    }
    if (!file.commit())
        throw std::runtime_error("The PDF cannot be written to " + path.toStdString() + ": "
                                 + file.errorString().toStdString());
}

} // namespace printing
