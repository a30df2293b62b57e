#include "ArabicFonts.h"
#include "BookWindowFixture.h"
#include "IsolatedText.h"
#include "OtherProgram.h"
#include "QtWarnings.h"
#include "ReportGenerator.h"
#include "Unitallworker.h"
#include "Unitprint.h"

#include <QHeaderView>
#include <QProcess>
#include <QTimer>

#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

// The texts a page holds, by the element they came from, in print order.
std::vector<QString> textsOf(const printing::DocumentPage& page, const QString& element)
{
    std::vector<QString> texts;
    for (const printing::PlacedItem& item : page.items())
        if (const auto* text = std::get_if<printing::PlacedText>(&item); text && text->element == element)
            texts.push_back(text->text);
    return texts;
}

std::optional<printing::PlacedText> first(const printing::DocumentPage& page, const QString& element)
{
    for (const printing::PlacedItem& item : page.items())
        if (const auto* text = std::get_if<printing::PlacedText>(&item); text && text->element == element)
            return *text;
    return std::nullopt;
}

int shapesOn(const printing::DocumentPage& page)
{
    const std::vector<printing::PlacedItem> items = page.items();
    return int(std::count_if(items.begin(), items.end(),
                             [](const printing::PlacedItem& item) { return std::holds_alternative<printing::PlacedShape>(item); }));
}

class SummaryReport : public testing_support::BookWindowFixture {
protected:
    SummaryReport() { FormPrint = layout.get(); }
    ~SummaryReport() override
    {
        window.reset();
        layout.reset();
        FormPrint = nullptr;
        FormAllWorker = nullptr;
    }

    printing::Document generate() { return printing::generateReport(layout->QuickRep1); }
    void addWorkers(int count)
    {
        for (int n = 1; n <= count; ++n)
            testing_support::addWorker(*book, "worker " + std::to_string(n));
    }

    std::unique_ptr<TFormPrint> layout = std::make_unique<TFormPrint>();
    std::unique_ptr<TFormAllWorker> window;
};

TEST_F(SummaryReport, AnEmptyTablePrintsOnePageWithTheTitleOneEmptyRowAndTheFooterButNoCaptions)
{
    const printing::Document document = generate();
    ASSERT_EQ(document.pages.size(), 1u);
    const printing::DocumentPage& page = document.pages[0];
    EXPECT_EQ(textsOf(page, u"QRLabel14"_s),
              std::vector<QString>{u"تقرير إجازات العاملين بفرع النقابة لشهر .........................................0"_s});
    EXPECT_TRUE(textsOf(page, u"QRLabel15"_s).empty()) << "no column header without a worker";
    EXPECT_EQ(textsOf(page, u"QRDBText3"_s), std::vector<QString>{QString()});
    EXPECT_EQ(textsOf(page, u"QRDBText9"_s), std::vector<QString>{QString()});
    EXPECT_EQ(shapesOn(page), 1) << "the empty row keeps its rule";
    EXPECT_EQ(textsOf(page, u"QRLabel7"_s), std::vector<QString>{u"رئيس الديوان"_s});
    EXPECT_EQ(document.paper, QSizeF(297, 210));
    EXPECT_EQ(document.orientation, QPageLayout::Landscape);
}

TEST_F(SummaryReport, TenWorkersPutNineOnTheFirstPageAndTheTenthUnderTheHeaderOfTheSecond)
{
    addWorkers(10);
    const printing::Document document = generate();
    ASSERT_EQ(document.pages.size(), 2u);
    EXPECT_EQ(textsOf(document.pages[0], u"QRDBText3"_s).size(), 9u);
    EXPECT_EQ(textsOf(document.pages[1], u"QRDBText3"_s), std::vector<QString>{u"worker 10"_s});
    EXPECT_EQ(textsOf(document.pages[1], u"QRLabel15"_s), std::vector<QString>{u"اسم العامل"_s});
    EXPECT_TRUE(textsOf(document.pages[1], u"QRLabel14"_s).empty()) << "the title is on the first page only";
    for (const printing::DocumentPage& page : document.pages) {
        const std::optional<printing::PlacedText> rule = first(page, u"QRLabel11"_s);
        ASSERT_TRUE(rule) << "every page ends with the footer";
        EXPECT_NEAR(rule->box.top(), 210 - 10 - 29.1 + 0.3, 1e-9) << "the footer stands on the bottom margin";
    }
    const std::optional<printing::PlacedText> tenth = first(document.pages[1], u"QRDBText3"_s);
    ASSERT_TRUE(tenth);
    EXPECT_NEAR(tenth->box.top(), 10 + 20.2 + 0.5, 1e-9);
    EXPECT_NEAR(tenth->box.left(), 10 + 216.7, 1e-9);
    EXPECT_EQ(tenth->look.alignment, printing::TextAlignment::Right);
}

TEST_F(SummaryReport, EmptyTotalsPrintNothingAndZeroPrintsZero)
{
    testing_support::addWorker(*book, "Ahmad");
    book->TableM.Edit();
    book->TableMAdministrationPermit.SetAsInteger(0);
    book->TableMHorsPermit.SetText("2.30");
    book->TableM.Post();
    const printing::DocumentPage page = generate().pages.at(0);
    EXPECT_EQ(textsOf(page, u"QRDBText5"_s), std::vector<QString>{u"0"_s});
    EXPECT_EQ(textsOf(page, u"QRDBText7"_s), std::vector<QString>{QString()});
    EXPECT_EQ(textsOf(page, u"QRDBText6"_s), std::vector<QString>{u"2.30"_s});
    EXPECT_EQ(textsOf(page, u"QRDBText4"_s), std::vector<QString>{u"14"_s});
}

TEST_F(SummaryReport, GenerationLeavesTableMOnTheLastWorker)
{
    addWorkers(4);
    book->TableM.First();
    generate();
    EXPECT_EQ(book->TableMWorkerName.Text(), "worker 4");
}

TEST_F(SummaryReport, TheWindowShowsElevenColumnsTwoHiddenAndItsPrintButtonWaitsForThePreview)
{
    testing_support::QtWarnings::printed().clear();
    const testing_support::QtWarnings warnings;
    addWorkers(3);
    book->TableM.First();
    window = std::make_unique<TFormAllWorker>();
    FormAllWorker = window.get();
    ASSERT_TRUE(testing_support::showActive(*window));
    controls::DBGrid& grid = *window->DBGrid1;
    ASSERT_EQ(grid.rows().columnCount(), 11);
    EXPECT_TRUE(grid.isColumnHidden(9));
    EXPECT_TRUE(grid.isColumnHidden(10));
    EXPECT_EQ(grid.rows().headerData(4, Qt::Horizontal).toString(), u" إدارية"_s);
    EXPECT_EQ(grid.rows().headerData(8, Qt::Horizontal).toString(), u"عدد الأيام المتجاوزة شهرياً"_s);
    EXPECT_EQ(grid.columnWidth(8), 143);
    EXPECT_EQ(window->Panel1->height(), 385);
    EXPECT_EQ(window->BitBtn2->text(), u"طباعة"_s);
    EXPECT_EQ(window->BitBtn2->size(), QSize(107, 25));

    bool previewSeen = false;
    QTimer::singleShot(0, [&] {
        QWidget* preview = window->findChild<QWidget*>(u"PreviewWindow"_s);
        ASSERT_NE(preview, nullptr);
        previewSeen = preview->isVisible() && preview->windowTitle() == u"Print Preview"_s;
        preview->grab(); // its page painted, as the clerk sees it
        window->BitBtn2->click(); // a second press while the preview is open
        EXPECT_EQ(window->findChildren<QWidget*>(u"PreviewWindow"_s).size(), 1);
        preview->close();
    });
    window->BitBtn2->click();
    EXPECT_TRUE(previewSeen);
    EXPECT_EQ(grid.currentIndex().row(), 2) << "the grid shows the last worker as current";
    EXPECT_TRUE(boxes.exceptions.isEmpty());
    window->grab();
    EXPECT_TRUE(testing_support::QtWarnings::printed().isEmpty())
        << testing_support::QtWarnings::printed().join(u'\n').toStdString();
}

TEST_F(SummaryReport, OpenedUnderAnotherProgramsLockItSaysSoOnceAndTheNextClickReadsTheListAndLands)
{
    addWorkers(3);
    testing_support::OtherProgram desk(folder.root());
    desk.run("BEGIN EXCLUSIVE; UPDATE worker SET NoHire = 1");
    window = std::make_unique<TFormAllWorker>();
    FormAllWorker = window.get();
    ASSERT_TRUE(testing_support::showActive(*window));
    QApplication::processEvents();
    controls::DBGrid& grid = *window->DBGrid1;
    EXPECT_EQ(boxes.exceptions.size(), 1);
    EXPECT_EQ(grid.rows().rowCount(), 0) << "nothing could be read";
    desk.run("ROLLBACK");
    // The clerk clicks where the second row's name will be: the list is read first, then the click lands.
    const int rowHeight = grid.verticalHeader()->defaultSectionSize();
    const QPoint second(grid.viewport()->width() - 20, rowHeight + rowHeight / 2);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, second);
    QApplication::processEvents();
    EXPECT_EQ(grid.rows().rowCount(), 3);
    EXPECT_EQ(grid.currentIndex().row(), 1);
    EXPECT_EQ(grid.currentIndex().column(), grid.columnAt(second.x()));
    EXPECT_EQ(book->TableMWorkerName.Text(), "worker 2");
    EXPECT_EQ(boxes.exceptions.size(), 1);
}

TEST_F(SummaryReport, AFailureWhileGeneratingIsReportedAndTheWindowStaysOpen)
{
    addWorkers(2);
    window = std::make_unique<TFormAllWorker>();
    ASSERT_TRUE(testing_support::showActive(*window));
    book->TableM.Close();
    window->BitBtn2->click();
    EXPECT_EQ(boxes.exceptions, QStringList{u"المؤشر \u2066TableM\u2069 مغلق."_s});
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->findChild<QWidget*>(u"PreviewWindow"_s), nullptr);
    book->TableM.Open();
}

} // namespace

namespace {

TEST_F(SummaryReport, AFigureIsPrintedWholeInSmallerTypeOrAsAMarkAndReadsLeftToRight)
{
    controls::substituteArabicFaces(); // the faces the program prints in
    struct Case {
        std::int32_t total;
        const char* printed;
        bool smaller;
    };
    const Case cases[] = {{5, "5", false},
                          {-5, "-5", false},
                          {9999999, "9999999", true},
                          {2147483647, "2147483647", true},
                          {-2147483647, "-2147483647", true}};
    for (const Case& figure : cases) {
        book->TableM.Insert();
        book->TableMWorkerName.SetText("abcdefghijklmnopqrstuvwxyz1234"); // 30 characters
        book->TableMAdministrationPermit.SetAsInteger(figure.total);
        book->TableM.Post();
    }
    const printing::Document document = generate();
    const std::vector<printing::PlacedText> totals = [&] {
        std::vector<printing::PlacedText> found;
        for (const printing::PlacedItem& item : document.pages.at(0).items())
            if (const auto* text = std::get_if<printing::PlacedText>(&item); text && text->element == u"QRDBText5"_s)
                found.push_back(*text);
        return found;
    }();
    ASSERT_EQ(totals.size(), std::size(cases));
    const double layoutPoints = layout->QuickRep1.Font.points;
    for (std::size_t n = 0; n < totals.size(); ++n) {
        SCOPED_TRACE(cases[n].total);
        EXPECT_EQ(totals[n].text, QString::fromLatin1(cases[n].printed));
        EXPECT_FALSE(totals[n].look.rightToLeft) << "a figure reads left to right";
        if (cases[n].smaller)
            EXPECT_LT(totals[n].font.points, layoutPoints);
        else
            EXPECT_EQ(totals[n].font.points, layoutPoints);
        EXPECT_GE(totals[n].font.points, layoutPoints / 2);
    }
    const std::optional<printing::PlacedText> name = first(document.pages.at(0), u"QRDBText3"_s);
    ASSERT_TRUE(name);
    EXPECT_EQ(name->text, u"abcdefghijklmnopqrstuvwxyz1234"_s) << "a name keeps the layout's cut";
    EXPECT_TRUE(name->look.rightToLeft);
}

} // namespace

namespace {

TEST_F(SummaryReport, TheExportButtonBesideThePrintButtonWritesTheSummaryToAChosenFile)
{
    addWorkers(2);
    window = std::make_unique<TFormAllWorker>();
    FormAllWorker = window.get();
    ASSERT_TRUE(testing_support::showActive(*window));
    const QRect print = window->BitBtn2->geometry();
    EXPECT_EQ(print.size(), QSize(107, 25));
    EXPECT_EQ(print.right(), window->BitBtn2->parentWidget()->width() - 9) << "the print button keeps its place";
    EXPECT_LT(window->BitBtn3->geometry().right(), print.left());
    EXPECT_EQ(window->BitBtn3->y(), print.y());
    EXPECT_EQ(window->BitBtn3->text(), u"تصدير"_s);

    const std::filesystem::path file = folder.root().parent_path() / "summary.xlsx";
    QTest::mouseClick(window->BitBtn3, Qt::LeftButton); // cancelled: no file chosen
    EXPECT_FALSE(std::filesystem::exists(file));
    boxes.chosenFile = QString::fromStdString(file.string());
    QTest::mouseClick(window->BitBtn3, Qt::LeftButton);
    EXPECT_EQ(boxes.fileQuestions.size(), 2);
    ASSERT_TRUE(std::filesystem::exists(file));
    EXPECT_TRUE(boxes.exceptions.isEmpty()) << boxes.exceptions.join(u'\n').toStdString();
    ASSERT_EQ(boxes.messages.size(), 1);
    EXPECT_TRUE(boxes.messages.front().contains(controls::isolatedLeftToRight(boxes.chosenFile))) << "whole, left to right";
    QProcess unzip;
    unzip.start(u"unzip"_s, {u"-p"_s, boxes.chosenFile, u"xl/sharedStrings.xml"_s});
    ASSERT_TRUE(unzip.waitForFinished());
    const QString strings = QString::fromUtf8(unzip.readAllStandardOutput());
    EXPECT_TRUE(strings.contains(u"worker 2"_s)) << strings.toStdString();
}

} // namespace
