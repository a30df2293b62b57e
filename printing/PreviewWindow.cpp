#include "PreviewWindow.h"

#include "PagePrinting.h"
#include "PageView.h"
#include "SavedReport.h"
#include "WorkProgress.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>
#include <QLabel>
#include <QPrintDialog>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include <cerrno>
#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

namespace printing {
namespace {

constexpr int pageBorder = 12; // in pixels, as the page view leaves

// Where the file dialogs start: the clerk's documents (the home folder where there is none),
// not wherever the program was started.
QString documents()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(documents).exists() ? documents : QDir::homePath();
}

} // namespace

PreviewWindow::PreviewWindow(QWidget* owner, Generate generate, ShowError showError)
    : QWidget(owner, Qt::Window), generate_(std::move(generate)), showError_(std::move(showError)),
      printer_(QPrinter::HighResolution), scroll_(new QScrollArea(this)), view_(new PageView(scroll_)),
      status_(new QLabel(this))
{
    setObjectName(u"PreviewWindow"_s);
    setWindowTitle(u"Print Preview"_s);
    // Its commands read in English, left to right, whatever reading order the program's own windows have.
    setLayoutDirection(Qt::LeftToRight);
    setAttribute(Qt::WA_DeleteOnClose, false);
    printer_.setFullPage(true);
    printer_.setCopyCount(1);
    printer_.setDuplex(QPrinter::DuplexNone);
    printer_.setPrintRange(QPrinter::AllPages);
    printer_.setPaperSource(QPrinter::Auto);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildToolBar();
    scroll_->setWidget(view_);
    scroll_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    scroll_->setBackgroundRole(QPalette::Dark);
    layout->addWidget(scroll_, 1);
    status_->setObjectName(u"StatusLine"_s);
    status_->setContentsMargins(6, 2, 6, 2);
    layout->addWidget(status_);

    const auto key = [this](QKeySequence sequence, void (PreviewWindow::*command)()) {
        auto* shortcut = new QShortcut(sequence, this);
        connect(shortcut, &QShortcut::activated, this, [this, command] { run([this, command] { (this->*command)(); }); });
    };
    key(QKeySequence(Qt::Key_Home), &PreviewWindow::firstPage);
    key(QKeySequence(Qt::Key_End), &PreviewWindow::lastPage);
    key(QKeySequence(Qt::Key_PageUp), &PreviewWindow::priorPage);
    key(QKeySequence(Qt::Key_PageDown), &PreviewWindow::nextPage);
    key(QKeySequence(Qt::CTRL | Qt::Key_PageUp), &PreviewWindow::firstPage);
    key(QKeySequence(Qt::CTRL | Qt::Key_PageDown), &PreviewWindow::lastPage);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    showCurrent();
}

PreviewWindow::~PreviewWindow() = default;

void PreviewWindow::buildToolBar()
{
    auto* bar = new QToolBar(this);
    bar->setObjectName(u"PreviewToolBar"_s);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    layout()->addWidget(bar);
    const auto add = [&](const QString& name, const QString& text, QStyle::StandardPixmap icon,
                         std::function<void()> command, bool needsGeneration) {
        QAction* action = bar->addAction(style()->standardIcon(icon), text);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, [this, command] { run(command); });
        if (needsGeneration)
            needsGeneration_.push_back(action);
        return action;
    };
    add(u"WholePage"_s, u"Whole page"_s, QStyle::SP_DesktopIcon, [this] { setZoom(Zoom::WholePage); }, false);
    add(u"Actual"_s, u"100 %"_s, QStyle::SP_FileDialogContentsView, [this] { setZoom(Zoom::Actual); }, false);
    add(u"PageWidth"_s, u"Page width"_s, QStyle::SP_FileDialogDetailedView, [this] { setZoom(Zoom::PageWidth); },
        false);
    bar->addSeparator();
    add(u"FirstPage"_s, u"First"_s, QStyle::SP_MediaSkipBackward, [this] { firstPage(); }, false);
    add(u"PriorPage"_s, u"Previous"_s, QStyle::SP_MediaSeekBackward, [this] { priorPage(); }, false);
    add(u"NextPage"_s, u"Next"_s, QStyle::SP_MediaSeekForward, [this] { nextPage(); }, false);
    add(u"LastPage"_s, u"Last"_s, QStyle::SP_MediaSkipForward, [this] { lastPage(); }, false);
    bar->addSeparator();
    add(u"PrinterSetup"_s, u"Printer setup"_s, QStyle::SP_FileDialogListView, [this] { printerSetup(); }, true);
    add(u"Print"_s, u"Print"_s, QStyle::SP_DialogApplyButton, [this] { print(); }, true);
    add(u"Save"_s, u"Save"_s, QStyle::SP_DialogSaveButton,
        [this] {
            const QString path = QFileDialog::getSaveFileName(this, u"حفظ التقرير"_s, documents(), u"Reports (*.ijr)"_s);
            if (!path.isEmpty())
                saveTo(path);
        },
        true);
    add(u"Load"_s, u"Open"_s, QStyle::SP_DialogOpenButton,
        [this] {
            const QString path = QFileDialog::getOpenFileName(this, u"فتح تقرير محفوظ"_s, documents(), u"Reports (*.ijr)"_s);
            if (!path.isEmpty())
                loadFrom(path);
        },
        true);
    add(u"ExportPdf"_s, u"PDF"_s, QStyle::SP_DriveFDIcon,
        [this] {
            const QString path = QFileDialog::getSaveFileName(this, u"تصدير إلى PDF"_s, documents(), u"PDF (*.pdf)"_s);
            if (!path.isEmpty())
                exportPdf(path);
        },
        true);
    bar->addSeparator();
    add(u"ClosePreview"_s, u"Close"_s, QStyle::SP_DialogCloseButton, [this] { close(); }, false);
    setBusy(true);
}

void PreviewWindow::run(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& error) {
        showError_(QString::fromUtf8(error.what()));
    } catch (...) {
        showError_(QString());
    }
}

void PreviewWindow::setBusy(bool busy)
{
    for (QAction* action : needsGeneration_)
        action->setEnabled(!busy);
}

void PreviewWindow::generate()
{
    setBusy(true);
    generated_ = false;
    WorkProgress progress(this, windowTitle(), u"Generating the report…"_s);
    try {
        document_ = generate_([this, &progress](int percent) {
            progress.tick(percent, [this, percent] {
                progressText_ = u"Generating the report: %1%"_s.arg(percent);
                status_->setText(progressText_);
            });
        });
    } catch (const WorkCancelled&) {
        // Nothing was generated, so there is nothing to preview.
        progressText_.clear();
        close();
        return;
    }
    progress.finish();
    progressText_.clear();
    generated_ = true;
    loaded_ = false;
    page_ = 0;
    setBusy(false);
    printer_.setPageLayout(pageLayoutOf(document_));
    showCurrent();
}

void PreviewWindow::showPage(int number)
{
    page_ = std::clamp(number - 1, 0, std::max(0, pageCount() - 1));
    showCurrent();
}

void PreviewWindow::firstPage()
{
    showPage(1);
}

void PreviewWindow::priorPage()
{
    showPage(pageNumber() - 1);
}

void PreviewWindow::nextPage()
{
    showPage(pageNumber() + 1);
}

void PreviewWindow::lastPage()
{
    showPage(pageCount());
}

void PreviewWindow::setZoom(Zoom zoom)
{
    zoom_ = zoom;
    showCurrent();
}

double PreviewWindow::pixelsPerMillimetre() const
{
    const QSizeF paper = document_.paper.isEmpty() ? QSizeF(210, 297) : document_.paper;
    // The room the scroll area has without its scroll bars, less the bar a page taller than
    // the room brings: page width must not itself bring a horizontal bar.
    const int frame = 2 * scroll_->frameWidth();
    QSize room = scroll_->size() - QSize(frame + 2 * pageBorder, frame + 2 * pageBorder);
    double toWidth = std::max(1, room.width()) / paper.width();
    if (paper.height() * toWidth > room.height()) {
        room.rwidth() -= style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroll_->verticalScrollBar());
        toWidth = std::max(1, room.width()) / paper.width();
    }
    switch (zoom_) {
    case Zoom::Actual:
        return logicalDpiX() / 25.4;
    case Zoom::WholePage:
        return std::min(toWidth, std::max(1, room.height()) / paper.height());
    case Zoom::PageWidth:
        break;
    }
    return toWidth;
}

QString PreviewWindow::statusText() const
{
    return status_->text();
}

void PreviewWindow::showCurrent()
{
    view_->show(generated_ ? &document_ : nullptr, page_, pixelsPerMillimetre());
    if (progressText_.isEmpty())
        status_->setText(generated_ ? u"Page %1 of %2"_s.arg(pageNumber()).arg(pageCount()) : QString());
}

void PreviewWindow::printerSetup()
{
    QPrintDialog dialog(&printer_, this);
    dialog.setMinMax(1, std::max(1, pageCount()));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    // The dialog only keeps the settings; Print in the preview prints.
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
        for (QAbstractButton* button : buttons->buttons())
            if (buttons->buttonRole(button) == QDialogButtonBox::AcceptRole)
                button->setText(u"Keep settings"_s);
    }
    dialog.exec();
}

void PreviewWindow::print()
{
    if (!generated_ && !loaded_)
        return;
    // What is printed is what the preview shows: the cursors may have moved behind it since.
    // The page lies as the layout has it, whatever the printer setup says.
    printer_.setPageOrientation(document_.orientation);
    const int count = pageCount();
    const bool range = printer_.printRange() == QPrinter::PageRange && printer_.fromPage() > 0;
    const int first = range ? std::min(printer_.fromPage(), count) : 1;
    const int last = range ? std::clamp(printer_.toPage(), first, count) : count;
    const std::vector<int> sheets = sheetsToPrint(first, last, printer_.supportsMultipleCopies() ? 1 : printer_.copyCount(),
                                                  printer_.collateCopies());
    WorkProgress progress(this, u"Printing progress"_s, u"Printing…"_s);
    try {
        paintSheets(document_, printer_, sheets,
                    [&](int done) { progress.tick(100 * done / std::max<int>(1, int(sheets.size()))); });
    } catch (const WorkCancelled&) {
        return; // the print was abandoned before anything reached the printer
    }
    progress.finish();
}

void PreviewWindow::saveTo(const QString& path) const
{
    saveReportFile(document_, path);
}

void PreviewWindow::loadFrom(const QString& path)
{
    Document read = loadReportFile(path);
    document_ = std::move(read);
    loaded_ = true;
    page_ = 0;
    printer_.setPageLayout(pageLayoutOf(document_));
    showCurrent();
}

void PreviewWindow::exportPdf(const QString& path)
{
    WorkProgress progress(this, u"Export to PDF"_s, u"Writing the PDF…"_s);
    try {
        writePdf(document_, path, [&](int page) { progress.tick(100 * page / std::max(1, pageCount())); });
    } catch (const WorkCancelled&) {
        return; // no file written
    }
    progress.finish();
}

void PreviewWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The keys (Escape, the page keys) reach the preview as soon as it is up.
    activateWindow();
    scroll_->setFocus(Qt::ActiveWindowFocusReason);
}

void PreviewWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        emit closed();
}

void PreviewWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    showCurrent();
}

} // namespace printing
