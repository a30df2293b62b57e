#include "PagePrinting.h"
#include "PreviewWindow.h"
#include "QtPrinting.h"
#include "ReportPreviewer.h"
#include "SavedReport.h"

#include <QApplication>
#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QDir>
#include <QPrintDialog>
#include <QFile>
#include <QProgressDialog>
#include <QScrollArea>
#include <QScrollBar>
#include <QThread>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// A report of `pages` pages: a title and one summary band per page, each filling a page.
printing::TQuickRep pagesReport(int pages)
{
    printing::TQuickRep report;
    printing::TextLook look;
    report.Bands.push_back({u"Title"_s, printing::rbTitle, 20, {printing::TQRLabel{u"Label"_s, u"عنوان"_s, {0, 190, 2, 9}, look}}});
    for (int n = 1; n < pages; ++n)
        report.Bands.push_back({u"Filler"_s, printing::rbSubDetail, 270, {}});
    return report;
}

class Preview : public ::testing::Test {
protected:
    void open(int pages = 3)
    {
        report = pagesReport(pages);
        window = std::make_unique<printing::PreviewWindow>(
            nullptr,
            [this](const printing::Progress& progress) {
                ++generations;
                return printing::generateReport(report, progress);
            },
            [this](const QString& message) { errors << message; });
        window->resize(900, 700);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->generate();
    }
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(window.get(), Qt::Key(key), modifiers);
    }

    printing::TQuickRep report;
    std::unique_ptr<printing::PreviewWindow> window;
    int generations = 0;
    QStringList errors;
    QTemporaryDir folder;
};

TEST_F(Preview, OpensOnPageOneAtPageWidthAndTheKeysTurnThePages)
{
    open();
    EXPECT_EQ(window->windowTitle(), u"Print Preview"_s);
    EXPECT_FALSE(window->isModal());
    EXPECT_EQ(window->pageCount(), 3);
    EXPECT_EQ(window->statusText(), u"Page 1 of 3"_s);
    EXPECT_EQ(window->zoom(), printing::PreviewWindow::Zoom::PageWidth);
    press(Qt::Key_PageDown);
    EXPECT_EQ(window->pageNumber(), 2);
    press(Qt::Key_End);
    EXPECT_EQ(window->statusText(), u"Page 3 of 3"_s);
    press(Qt::Key_PageDown);
    EXPECT_EQ(window->pageNumber(), 3) << "no page after the last";
    press(Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(window->pageNumber(), 1);
    press(Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(window->pageNumber(), 3);
    press(Qt::Key_Home);
    EXPECT_EQ(window->pageNumber(), 1);
    press(Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(Preview, TheThreeZoomsScaleThePage)
{
    open();
    const double width = window->pixelsPerMillimetre();
    window->setZoom(printing::PreviewWindow::Zoom::WholePage);
    const double whole = window->pixelsPerMillimetre();
    window->setZoom(printing::PreviewWindow::Zoom::Actual);
    EXPECT_NEAR(window->pixelsPerMillimetre(), window->logicalDpiX() / 25.4, 1e-9);
    EXPECT_LT(whole, width) << "a portrait page is narrower than the window is wide";
}

TEST_F(Preview, ASavedReportLoadsBackAndADamagedOneChangesNothing)
{
    open(2);
    const QString path = folder.filePath(u"summary.ijr"_s);
    window->saveTo(path);
    const printing::Document shown = window->document();
    window->nextPage();
    window->loadFrom(path);
    EXPECT_EQ(window->document(), shown);
    EXPECT_EQ(window->pageNumber(), 1);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.resize(file.size() / 2);
    file.close();
    open(3);
    EXPECT_THROW(window->loadFrom(path), printing::SavedReportError);
    EXPECT_EQ(window->pageCount(), 3);
    EXPECT_THROW(window->loadFrom(folder.filePath(u"missing.ijr"_s)), printing::SavedReportError);
}

int pagesIn(const QString& pdf)
{
    QFile file(pdf);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = file.readAll();
    return int(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "));
}

TEST_F(Preview, ExportsAPdfAndPrintsTheShownDocumentInItsOrientationAndCopies)
{
    open(3);
    const QString pdf = folder.filePath(u"report.pdf"_s);
    window->exportPdf(pdf);
    EXPECT_EQ(pagesIn(pdf), 3);

    QPrinter& printer = window->printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString printed = folder.filePath(u"printed.pdf"_s);
    printer.setOutputFileName(printed);
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 3);
    printer.setCopyCount(2);
    printer.setPageOrientation(QPageLayout::Landscape); // as a clerk might choose in the setup
    const int before = generations;
    window->print();
    EXPECT_EQ(generations, before) << "what is printed is the document the preview shows";
    EXPECT_EQ(pagesIn(printed), 4) << "two copies of pages 2 and 3, even to a file";
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait) << "the page lies as the layout has it";
}

TEST(Sheets, CopiesComeWholeWhenCollatedElsePageByPage)
{
    EXPECT_EQ(printing::sheetsToPrint(2, 3, 2, true), (std::vector<int>{2, 3, 2, 3}));
    EXPECT_EQ(printing::sheetsToPrint(2, 3, 2, false), (std::vector<int>{2, 2, 3, 3}));
    EXPECT_EQ(printing::sheetsToPrint(1, 1, 0, true), (std::vector<int>{1}));
}

TEST_F(Preview, OpensWithTheKeyboardAndAtExactlyPageWidth)
{
    open(3);
    QApplication::processEvents();
    EXPECT_TRUE(window->isAncestorOf(QApplication::focusWidget())) << "Escape and the page keys reach it at once";
    auto* scroll = window->findChild<QScrollArea*>();
    ASSERT_NE(scroll, nullptr);
    EXPECT_EQ(scroll->horizontalScrollBar()->maximum(), 0) << "page width brings no horizontal bar";
    EXPECT_GT(scroll->verticalScrollBar()->maximum(), 0);
    window->setZoom(printing::PreviewWindow::Zoom::Actual);
    window->setZoom(printing::PreviewWindow::Zoom::PageWidth);
    QApplication::processEvents();
    EXPECT_EQ(scroll->horizontalScrollBar()->maximum(), 0);
}

TEST_F(Preview, AnExportThatCannotBeWrittenIsReportedAndThePreviewGoesOn)
{
    open(1);
    EXPECT_THROW(window->exportPdf(folder.filePath(u"no/such/folder/report.pdf"_s)), std::runtime_error);
    EXPECT_TRUE(window->isVisible());
}

TEST(ReportPreviewer, ReturnsOnlyOnceThePreviewClosesAndASecondCallBringsItToTheFront)
{
    const printing::TQuickRep report = pagesReport(2);
    printing::ReportPreviewer previewer(report);
    QWidget owner;
    owner.show();
    bool sawOpen = false;
    bool secondReturnedAtOnce = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        printing::PreviewWindow* open = previewer.openPreview();
        if (!open || !open->generated())
            return; // still generating: events go on meanwhile
        poll.stop();
        sawOpen = open->isVisible() && open->pageCount() == 2;
        previewer.Preview(&owner, {});
        secondReturnedAtOnce = previewer.openPreview() == open;
        open->close();
    });
    poll.start(5);
    previewer.Preview(&owner, {});
    EXPECT_TRUE(sawOpen);
    EXPECT_TRUE(secondReturnedAtOnce);
    EXPECT_EQ(previewer.openPreview(), nullptr) << "the preview is gone once closed";
}

} // namespace

namespace {

// Presses Escape in the progress window as soon as it is up.
class EscapeOnProgress {
public:
    EscapeOnProgress()
    {
        QObject::connect(&poll_, &QTimer::timeout, [this] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (qobject_cast<QProgressDialog*>(window) && window->isVisible()) {
                    QTest::keyClick(window, Qt::Key_Escape);
                    pressed = true;
                    poll_.stop();
                }
            }
        });
        poll_.start(10);
    }
    bool pressed = false;

private:
    QTimer poll_;
};

TEST_F(Preview, EscapeStopsALongGenerationExportOrPrintAndLeavesNothingBehind)
{
    // A generation that lasts: each per cent takes a moment.
    const auto slowly = [this](const printing::Progress& progress) {
        for (int percent = 0; percent < 100; ++percent) {
            progress(percent);
            QThread::msleep(7);
        }
        return printing::generateReport(report, progress);
    };
    report = pagesReport(400);
    window = std::make_unique<printing::PreviewWindow>(nullptr, slowly, [this](const QString& message) { errors << message; });
    window->show();
    {
        EscapeOnProgress escape;
        window->generate();
        EXPECT_TRUE(escape.pressed);
    }
    EXPECT_FALSE(window->isVisible()) << "nothing generated, nothing to preview";
    EXPECT_FALSE(window->generated());

    window->show();
    window->generate(); // uncancelled this time
    ASSERT_TRUE(window->generated());
    const QString pdf = folder.filePath(u"report.pdf"_s);
    {
        QFile earlier(pdf);
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write("an earlier export");
    }
    // A document that takes a while to paint: many pages full of text.
    printing::Document heavy = window->document();
    const printing::PlacedItem line = heavy.pages.front().items().front();
    for (printing::DocumentPage& page : heavy.pages)
        page = printing::DocumentPage(std::vector<printing::PlacedItem>(1000, line));
    const QString saved = folder.filePath(u"heavy.ijr"_s);
    {
        QFile file(saved);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        printing::saveReport(heavy, file);
    }
    window->loadFrom(saved);
    const QString printed = folder.filePath(u"printed.pdf"_s);
    window->printer().setOutputFormat(QPrinter::PdfFormat);
    window->printer().setOutputFileName(printed);
    {
        EscapeOnProgress escape;
        window->print();
        EXPECT_TRUE(escape.pressed);
    }
    EXPECT_FALSE(QFile::exists(printed)) << "a cancelled print sends no sheet";
    EscapeOnProgress escape;
    window->exportPdf(pdf);
    EXPECT_TRUE(escape.pressed);
    QFile kept(pdf);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("an earlier export")) << "a cancelled export keeps the file there was";
    EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
    EXPECT_TRUE(window->isVisible());
}

} // namespace

namespace {

// A disk with room for only `bytes` more in any one file, for the life of this object.
class FullDisk {
public:
    explicit FullDisk(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &before_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN); // a write beyond the limit fails instead of killing
        rlimit small = before_;
        small.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FullDisk()
    {
        setrlimit(RLIMIT_FSIZE, &before_);
        std::signal(SIGXFSZ, previous_);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    rlimit before_{};
    void (*previous_)(int) = nullptr;
};

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

TEST_F(Preview, AFullDiskLeavesTheEarlierFileAsItWasAndSaysWhy)
{
    open(40);
    const QString saved = folder.filePath(u"summary.ijr"_s);
    const QString pdf = folder.filePath(u"summary.pdf"_s);
    for (const QString& path : {saved, pdf}) {
        QFile earlier(path);
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write("the earlier file");
    }
    std::string saveRefusal, exportRefusal;
    {
        const FullDisk full(100);
        try {
            window->saveTo(saved);
        } catch (const std::exception& error) {
            saveRefusal = error.what();
        }
        try {
            window->exportPdf(pdf);
        } catch (const std::exception& error) {
            exportRefusal = error.what();
        }
    }
    for (const std::string& refusal : {saveRefusal, exportRefusal}) {
        EXPECT_NE(refusal.find("تعذّر"), std::string::npos) << refusal;
        EXPECT_EQ(refusal.find("Unknown error"), std::string::npos) << refusal;
    }
    EXPECT_EQ(contentsOf(saved), QByteArray("the earlier file"));
    EXPECT_EQ(contentsOf(pdf), QByteArray("the earlier file"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 2) << "no half file left beside them";
    window->saveTo(saved); // with room again
    window->loadFrom(saved);
    EXPECT_EQ(window->pageCount(), 40);
}

TEST_F(Preview, OpenRefusesAnythingButAFileOfAReasonableSizeWithoutReadingIt)
{
    open(1);
    const QString pipe = folder.filePath(u"pipe.ijr"_s);
    ASSERT_EQ(mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
    const QString huge = folder.filePath(u"huge.ijr"_s);
    {
        QFile file(huge);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize((qint64(1) << 30) + 1)); // sparse: nothing is written
    }
    for (const QString& path : {pipe, folder.path(), huge}) {
        EXPECT_THROW(window->loadFrom(path), printing::SavedReportError) << path.toStdString();
        EXPECT_EQ(window->pageCount(), 1);
    }
}

} // namespace

namespace {

TEST_F(Preview, ThePrinterSetupsButtonSaysItKeepsTheSettings)
{
    open(1);
    QString accepting = u"(no dialog)"_s;
    QTimer::singleShot(0, [&] {
        for (QWidget* shown : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QPrintDialog*>(shown);
            if (!dialog || !dialog->isVisible())
                continue;
            if (auto* buttons = dialog->findChild<QDialogButtonBox*>())
                for (QAbstractButton* button : buttons->buttons())
                    if (buttons->buttonRole(button) == QDialogButtonBox::AcceptRole)
                        accepting = button->text();
            dialog->reject();
        }
    });
    window->printerSetup();
    EXPECT_EQ(accepting, u"Keep settings"_s);
}

} // namespace
