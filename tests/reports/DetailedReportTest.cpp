#include "BookWindowFixture.h"
#include "ReportGenerator.h"
#include "Unitdetil.h"
#include "Unitp2.h"

#include <QFontMetricsF>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {

// Every text of the document in print order as "element=text", page by page.
std::vector<std::vector<QString>> linesOf(const printing::Document& document)
{
    std::vector<std::vector<QString>> pages;
    for (const printing::DocumentPage& page : document.pages) {
        std::vector<QString>& lines = pages.emplace_back();
        for (const printing::PlacedItem& item : page.items())
            if (const auto* text = std::get_if<printing::PlacedText>(&item))
                lines.push_back(text->element + u'=' + text->text);
    }
    return pages;
}

// The lines from the first of `from` up to, not including, the first of `to`.
std::vector<QString> between(const std::vector<QString>& lines, const QString& from, const QString& to)
{
    auto start = std::find_if(lines.begin(), lines.end(), [&](const QString& line) { return line.startsWith(from); });
    auto end = std::find_if(start, lines.end(), [&](const QString& line) { return line.startsWith(to); });
    return {start, end};
}

class DetailedReport : public testing_support::BookWindowFixture {
protected:
    DetailedReport() { FormPrint1 = layout.get(); }
    ~DetailedReport() override
    {
        window.reset();
        layout.reset();
        FormPrint1 = nullptr;
    }

    printing::Document generate() { return printing::generateReport(layout->QuickRep1); }
    void entry(store::Cursor& entries, const char* countField, int count, const char* date)
    {
        entries.Insert();
        entries.FieldByName(countField).SetAsInteger(count);
        entries.FieldByName("Date").SetText(date);
        entries.Post();
    }

    std::unique_ptr<TFormPrint1> layout = std::make_unique<TFormPrint1>();
    std::unique_ptr<TFormDetil> window;
};

TEST_F(DetailedReport, AWorkerWithoutSickLeaveShowsTheSickHeadingAndOneEmptyLine)
{
    testing_support::addWorker(*book, "Ahmad", 21);
    entry(book->TablePermitAdmin, "AdministrationPermit", 3, "08/12/2026");
    entry(book->TablePermitNoHire, "NoHire", 2, "09/12/2026");
    const std::vector<QString> lines = linesOf(generate()).at(0);
    EXPECT_EQ(between(lines, u"QRLabel4="_s, u"QRLabel5="_s),
              (std::vector<QString>{u"QRLabel4=صحية"_s, u"QRLabel10="_s + QString(56, u'-'), u"QRDBText15="_s,
                                    u"QRDBText14="_s}));
    EXPECT_EQ(between(lines, u"QRLabel5="_s, u"QRLabel11="_s),
              (std::vector<QString>{u"QRLabel5=بلا اجر"_s, u"QRLabel12="_s + QString(56, u'-'), u"QRDBText26=2"_s,
                                    u"QRDBText25=09/12/2026"_s}));
    EXPECT_EQ(between(lines, u"QRLabel14="_s, u"QRLabel19="_s),
              (std::vector<QString>{u"QRLabel14=تقرير الإجازات التفصيلي للعامل  :0"_s, u"QRDBText6=Ahmad"_s}));
    EXPECT_NE(std::find(lines.begin(), lines.end(), u"QRDBText8=21"_s), lines.end()) << "the totals line";
}

TEST_F(DetailedReport, AllFourKindsAppearInOrderWithExactlyThisWorkersEntries)
{
    testing_support::addWorker(*book, "Other");
    entry(book->TablePermitAdmin, "AdministrationPermit", 9, "01/01/2026");
    const std::int32_t chosen = testing_support::addWorker(*book, "Huda");
    entry(book->TablePermitAdmin, "AdministrationPermit", 1, "02/01/2026");
    entry(book->TablePermitAdmin, "AdministrationPermit", 2, "03/01/2026");
    book->TablePermitHours.Insert();
    book->TablePermitHoursHorsPermit.SetText("2.30");
    book->TablePermitHoursDate.SetText("04/01/2026");
    book->TablePermitHours.Post();
    entry(book->TablePermitHealth, "HealthPermit", 4, "05/01/2026");
    entry(book->TablePermitNoHire, "NoHire", 5, "06/01/2026");
    book->TablePermitAdmin.First();
    const std::vector<QString> lines = linesOf(generate()).at(0);
    std::vector<QString> amounts;
    for (const QString& line : lines)
        if (line.startsWith(u"QRDBText4="_s) || line.startsWith(u"QRDBText21="_s) || line.startsWith(u"QRDBText15="_s)
            || line.startsWith(u"QRDBText26="_s))
            amounts.push_back(line);
    EXPECT_EQ(amounts, (std::vector<QString>{u"QRDBText4=1"_s, u"QRDBText4=2"_s, u"QRDBText21=2.30"_s,
                                             u"QRDBText15=4"_s, u"QRDBText26=5"_s}));
    EXPECT_EQ(book->TableMAuto.AsInteger(), chosen) << "TableM is not moved";
    EXPECT_EQ(book->TablePermitAdminDate.Text(), "03/01/2026") << "each entry cursor ends on the last entry";
    EXPECT_EQ(book->TablePermitNoHireDate.Text(), "06/01/2026");
}

TEST_F(DetailedReport, ADateOfTwelveCharactersFitsItsBoxInSmallerTypeAndAnHoursTextReadsSignFirst)
{
    testing_support::addWorker(*book, "Huda");
    entry(book->TablePermitAdmin, "AdministrationPermit", 1, "010/010/2024");
    entry(book->TablePermitAdmin, "AdministrationPermit", 2, "1/2/2024");
    book->TablePermitHours.Insert();
    book->TablePermitHoursHorsPermit.SetText("-2.-3");
    book->TablePermitHours.Post();
    std::vector<printing::PlacedText> dates;
    const printing::Document document = generate();
    for (const printing::PlacedItem& item : document.pages.at(0).items()) {
        const auto* text = std::get_if<printing::PlacedText>(&item);
        if (text && text->element == u"QRDBText3"_s)
            dates.push_back(*text);
        if (text && text->element == u"QRDBText21"_s) {
            EXPECT_FALSE(text->look.rightToLeft) << "left to right: -2.-3, never 3-.2-";
        }
    }
    ASSERT_EQ(dates.size(), 2u);
    QFont measured(dates[0].font.family);
    measured.setBold(dates[0].font.bold);
    measured.setPixelSize(1000);
    const auto widthInMm = [&](const printing::PlacedText& date) {
        return QFontMetricsF(measured).horizontalAdvance(date.text) / 1000 * date.font.points * 25.4 / 72;
    };
    EXPECT_EQ(dates[0].text, u"010/010/2024"_s) << "whole";
    EXPECT_LT(dates[0].font.points, layout->QuickRep1.Font.points);
    EXPECT_LE(widthInMm(dates[0]), dates[0].box.width());
    EXPECT_EQ(dates[1].font.points, layout->QuickRep1.Font.points);
}

TEST_F(DetailedReport, EntriesBeyondAPageGoOnOverleafWithNoRepeatedHeadingAndTheSignaturesAfterTheLast)
{
    testing_support::addWorker(*book, "Ahmad");
    for (int n = 1; n <= 30; ++n)
        entry(book->TablePermitAdmin, "AdministrationPermit", n, "01/01/2026");
    const std::vector<std::vector<QString>> pages = linesOf(generate());
    ASSERT_EQ(pages.size(), 2u);
    const auto count = [](const std::vector<QString>& lines, const QString& prefix) {
        return std::count_if(lines.begin(), lines.end(), [&](const QString& line) { return line.startsWith(prefix); });
    };
    // 277 mm between the margins, less 32.1 + 11.2 + 10.6 of title, totals and heading,
    // leave room for 20 entries of 10.9 mm.
    EXPECT_EQ(count(pages[0], u"QRDBText4="_s), 20);
    EXPECT_EQ(count(pages[1], u"QRDBText4="_s), 10);
    EXPECT_TRUE(pages[1].front().startsWith(u"QRDBText4=21"_s)) << "the continuation begins with the next entry";
    EXPECT_EQ(count(pages[1], u"QRLabel2="_s), 0);
    EXPECT_EQ(count(pages[1], u"QRLabel14="_s), 0);
    EXPECT_EQ(count(pages[0], u"QRLabel7="_s), 0);
    EXPECT_EQ(count(pages[1], u"QRLabel7="_s), 1);
}

TEST_F(DetailedReport, AnEmptyWorkerTablePrintsTheFrameWithEmptyLines)
{
    const std::vector<std::vector<QString>> pages = linesOf(generate());
    ASSERT_EQ(pages.size(), 1u);
    const std::vector<QString>& lines = pages[0];
    EXPECT_NE(std::find(lines.begin(), lines.end(), u"QRDBText6="_s), lines.end()) << "the title without a name";
    EXPECT_NE(std::find(lines.begin(), lines.end(), u"QRDBText9="_s), lines.end()) << "an empty totals line";
    for (const QString& empty : {u"QRDBText4="_s, u"QRDBText21="_s, u"QRDBText15="_s, u"QRDBText26="_s})
        EXPECT_EQ(std::count(lines.begin(), lines.end(), empty), 1) << empty.toStdString();
    EXPECT_NE(std::find(lines.begin(), lines.end(), u"QRLabel6=رئيس فرع Zorvane"_s), lines.end());
}

TEST_F(DetailedReport, TheWindowPrintsTheWorkerChosenInItsGrid)
{
    testing_support::addWorker(*book, "Ahmad");
    entry(book->TablePermitHealth, "HealthPermit", 7, "01/02/2026");
    testing_support::addWorker(*book, "Salim");
    entry(book->TablePermitHealth, "HealthPermit", 2, "03/02/2026");
    book->TableM.First();
    window = std::make_unique<TFormDetil>();
    ASSERT_TRUE(testing_support::showActive(*window));
    EXPECT_EQ(window->DBGrid4->rows().rowCount(), 1);
    EXPECT_EQ(window->DBGrid4->rows().index(0, 0).data().toString(), u"7"_s);
    EXPECT_EQ(window->DBGrid6->rows().headerData(8, Qt::Horizontal).toString(), u"التجاوز"_s);
    EXPECT_EQ(window->DBGrid2->rows().headerData(0, Qt::Horizontal, Qt::ForegroundRole).value<QColor>(),
              QColor(0x80, 0x00, 0x00));
    QTest::mouseClick(window->DBGrid6->viewport(), Qt::LeftButton, {},
                      window->DBGrid6->visualRect(window->DBGrid6->rows().index(1, 0)).center());
    EXPECT_EQ(window->DBGrid4->rows().index(0, 0).data().toString(), u"2"_s);

    std::vector<QString> printed;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* preview = window->findChild<printing::PreviewWindow*>();
        if (!preview || !preview->generated())
            return;
        poll.stop();
        printed = linesOf(preview->document()).at(0);
        preview->close();
    });
    poll.start(5);
    window->BitBtn2->click();
    EXPECT_NE(std::find(printed.begin(), printed.end(), u"QRDBText6=Salim"_s), printed.end());
    EXPECT_NE(std::find(printed.begin(), printed.end(), u"QRDBText15=2"_s), printed.end());
    EXPECT_EQ(std::find(printed.begin(), printed.end(), u"QRDBText15=7"_s), printed.end())
        << "the earlier worker's entries never appear";
}

} // namespace
