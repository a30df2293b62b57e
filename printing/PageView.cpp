#include "PageView.h"

#include "DocumentPainter.h"

#include <QPainter>

namespace printing {
namespace {

constexpr int border = 12; // in pixels, grey around the page

} // namespace

PageView::PageView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PageView"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PageView::show(const Document* document, int page, double pixelsPerMillimetre)
{
    document_ = document;
    page_ = page;
    scale_ = pixelsPerMillimetre;
    resize(sizeHint());
    update();
}

QSize PageView::sizeHint() const
{
    if (!document_)
        return QSize(2 * border, 2 * border);
    return QSize(int(document_->paper.width() * scale_) + 2 * border,
                 int(document_->paper.height() * scale_) + 2 * border);
}

void PageView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0x80, 0x80, 0x80));
    if (!document_ || page_ < 0 || page_ >= int(document_->pages.size()))
        return;
    painter.translate(border, border);
    painter.scale(scale_, scale_);
    DocumentPainter(*document_).paintPage(page_, painter);
}

} // namespace printing
