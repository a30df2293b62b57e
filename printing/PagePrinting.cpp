#include "PagePrinting.h"

#include "DocumentPainter.h"
#include "Isolated.h"
#include "WholeFile.h"

#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <numeric>
#include <stdexcept>

namespace printing {

QPageLayout pageLayoutOf(const Document& document)
{
    const QSizeF portrait = document.orientation == QPageLayout::Landscape ? document.paper.transposed()
                                                                           : document.paper;
    return QPageLayout(QPageSize(portrait, QPageSize::Millimeter), document.orientation, QMarginsF());
}

std::vector<int> sheetsToPrint(int first, int last, int copies, bool collated)
{
    std::vector<int> sheets;
    const int times = std::max(1, copies);
    if (collated) {
        for (int copy = 0; copy < times; ++copy)
            for (int n = first; n <= last; ++n)
                sheets.push_back(n);
    } else {
        for (int n = first; n <= last; ++n)
            sheets.insert(sheets.end(), std::size_t(times), n);
    }
    return sheets;
}

void paintSheets(const Document& document, QPagedPaintDevice& device, const std::vector<int>& pages,
                 const PagePainted& painted)
{
    QPainter painter;
    if (!painter.begin(&device))
        throw std::runtime_error("تعذّر إرسال الصفحات إلى الطابعة أو إلى الملف");
    const double scale = device.logicalDpiX() / 25.4;
    const DocumentPainter painting(document);
    try {
        for (std::size_t sheet = 0; sheet < pages.size(); ++sheet) {
            if (sheet > 0)
                device.newPage();
            painter.resetTransform();
            painter.scale(scale, scale);
            painting.paintPage(pages[sheet] - 1, painter);
            if (painted)
                painted(int(sheet) + 1);
        }
    } catch (...) {
        // A print stopped half-way sends no sheet at all, and leaves no half file.
        if (auto* printer = dynamic_cast<QPrinter*>(&device)) {
            printer->abort();
            painter.end();
            if (!printer->outputFileName().isEmpty())
                QFile::remove(printer->outputFileName());
        }
        throw;
    }
}

void writePdf(const Document& document, const QString& path, const PagePainted& painted)
{
    // Written aside and put in place only when whole: a failed or cancelled export leaves
    // no half file, and an older file of that name as it was.
    const std::string refusal = "تعذّرت كتابة ملف PDF في " + store::isolatedLeftToRight(path.toStdString()) + ": ";
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error(refusal + reasonOf(file, errno));
    {
        QPdfWriter pdf(&file);
        pdf.setResolution(300);
        pdf.setPageLayout(pageLayoutOf(document));
        pdf.setCreator(QStringLiteral("ijazat"));
        std::vector<int> pages(document.pages.size());
        std::iota(pages.begin(), pages.end(), 1);
        paintSheets(document, pdf, pages, painted);
    }
    commitWhole(file, refusal);
}

} // namespace printing
