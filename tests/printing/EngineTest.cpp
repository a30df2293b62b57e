#include "DocumentPainter.h"
#include "FigureFit.h"
#include "PageFlow.h"
#include "ReportGenerator.h"
#include "SavedReport.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>
#include <limits>

using namespace Qt::Literals::StringLiterals;
using printing::PageFlow;

namespace {

// Band tops down a landscape page with the summary's heights: 190 mm between the margins.
std::vector<int> rowsPerPage(int rows)
{
    PageFlow flow(10, 200, 29.1);
    std::vector<int> counts{0};
    flow.place(14.9);
    flow.place(20.2);
    for (int row = 0; row < rows; ++row) {
        if (!flow.fits(12.9)) {
            flow.newPage();
            counts.push_back(0);
            flow.place(20.2);
        }
        flow.place(12.9);
        ++counts.back();
    }
    return counts;
}

TEST(PageFlow, TheSummaryHeightsGiveNineRowsOnTheFirstPageAndTenOnEveryOther)
{
    EXPECT_EQ(rowsPerPage(9), (std::vector<int>{9}));
    EXPECT_EQ(rowsPerPage(10), (std::vector<int>{9, 1}));
    EXPECT_EQ(rowsPerPage(29), (std::vector<int>{9, 10, 10}));
    EXPECT_EQ(rowsPerPage(30), (std::vector<int>{9, 10, 10, 1}));
}

TEST(PageFlow, ABandEndingExactlyOnTheFooterFitsAndOneTallerThanAPageStillGoesOnAFreshPage)
{
    PageFlow flow(10, 200, 20);
    flow.place(100);
    EXPECT_TRUE(flow.fits(70)) << "ends exactly where the footer's space begins";
    EXPECT_FALSE(flow.fits(70.1));
    flow.newPage();
    EXPECT_TRUE(flow.fits(500)) << "a fresh page takes any band, so the flow cannot stall";
    EXPECT_EQ(flow.page(), 1);
    EXPECT_DOUBLE_EQ(flow.footerTop(), 180);
}

printing::TQuickRep twoBandReport()
{
    printing::TQuickRep report;
    report.Page.orientation = QPageLayout::Landscape;
    printing::TextLook right;
    right.alignment = printing::TextAlignment::Right;
    right.transparent = true;
    report.Bands = {{u"Title"_s, printing::rbTitle, 20,
                     {printing::TQRLabel{u"Label"_s, u"تقرير ١٢/٣"_s, {100, 200, 2, 9}, right}}},
                    {u"Footer"_s, printing::rbPageFooter, 15,
                     {printing::TQRShape{u"Rule"_s, {0, 277, 1, 0.3}}}}};
    return report;
}

TEST(Generation, AReportWithoutCursorPrintsItsBandsOnceWithTheFooterOnTheBottomMargin)
{
    const printing::Document document = printing::generateReport(twoBandReport());
    ASSERT_EQ(document.pages.size(), 1u);
    EXPECT_EQ(document.paper, QSizeF(297, 210));
    const std::vector<printing::PlacedItem> items = document.pages[0].items();
    ASSERT_EQ(items.size(), 2u);
    const auto& title = std::get<printing::PlacedText>(items[0]);
    EXPECT_EQ(title.box, QRectF(110, 12, 100, 9)) << "boxes are placed from the margins";
    const auto& rule = std::get<printing::PlacedShape>(items[1]);
    EXPECT_DOUBLE_EQ(rule.box.top(), 210 - 10 - 15 + 1);
}

TEST(Painting, ARightAlignedRightToLeftTextStandsAtTheRightOfItsBox)
{
    const printing::Document document = printing::generateReport(twoBandReport());
    QImage page(297 * 4, 210 * 4, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.scale(4, 4);
    printing::DocumentPainter(document).paintPage(0, painter);
    painter.end();
    // The title's box runs from 110 to 210 mm; its text is far shorter than the box.
    const auto inkBetween = [&page](double fromMm, double toMm) {
        int ink = 0;
        for (int x = int(fromMm * 4); x < int(toMm * 4); ++x)
            for (int y = 12 * 4; y < 21 * 4; ++y)
                ink += qGray(page.pixel(x, y)) < 128;
        return ink;
    };
    EXPECT_GT(inkBetween(180, 210), 50);
    EXPECT_EQ(inkBetween(110, 140), 0) << "a right-to-left painter must not mirror the alignment";
    EXPECT_LT(qGray(page.pixel(150 * 4, int(186.15 * 4))), 128) << "the footer's rule is drawn";
}

TEST(Painting, ABoxThatCutsKeepsItsTextAndItsRuleInsideAndOneThatDoesNotLetsThemRunPast)
{
    struct Case {
        QString text;
        bool clip;
        bool inkOutside;
    };
    const QString words = u"WWWWWWWWWWWWWWWWWWWW"_s;
    const QString rule(60, u'-');
    const Case cases[] = {{words, true, false}, {rule, true, false}, {words, false, true}, {rule, false, true}};
    const QRectF box(20, 10, 30, 9);
    constexpr double scale = 4; // pixels per mm
    for (const Case& item : cases) {
        SCOPED_TRACE(item.text.toStdString() + (item.clip ? " cut" : " uncut"));
        printing::TextLook look;
        look.alignment = printing::TextAlignment::Left;
        look.clip = item.clip;
        printing::Document document;
        document.paper = QSizeF(200, 40);
        document.pages.emplace_back(
            std::vector<printing::PlacedItem>{printing::PlacedText{u"Cut"_s, box, item.text, printing::ReportFont{}, look}});
        QImage sheet(int(200 * scale), int(40 * scale), QImage::Format_RGB32);
        QPainter painter(&sheet);
        painter.scale(scale, scale);
        printing::DocumentPainter(document).paintPage(0, painter);
        painter.end();
        int inside = 0, outside = 0;
        for (int y = 0; y < sheet.height(); ++y)
            for (int x = 0; x < sheet.width(); ++x)
                if (qGray(sheet.pixel(x, y)) < 128)
                    ++(box.contains(QPointF((x + 0.5) / scale, (y + 0.5) / scale)) ? inside : outside);
        EXPECT_GT(inside, 0);
        EXPECT_EQ(outside > 0, item.inkOutside) << outside;
    }
}

TEST(Painting, ARuleOfHyphensShowsItsBarsWhereItsGlyphsWouldStand)
{
    for (const printing::TextAlignment alignment :
         {printing::TextAlignment::Left, printing::TextAlignment::Center, printing::TextAlignment::Right}) {
        printing::TextLook look;
        look.alignment = alignment;
        look.transparent = true;
        printing::Document document;
        document.paper = QSizeF(200, 40);
        const QRectF box(20, 10, 160, 9);
        const QString rule(40, u'-');
        document.pages.emplace_back(std::vector<printing::PlacedItem>{printing::PlacedText{u"Rule"_s, box, rule, printing::ReportFont{}, look}});
        constexpr double scale = 8; // pixels per mm
        // The ink's left and right ends and its rows, as painted through the document and as glyphs.
        const auto inkOf = [&](const std::function<void(QPainter&)>& paint) {
            QImage sheet(int(200 * scale), int(40 * scale), QImage::Format_RGB32);
            sheet.fill(Qt::white);
            QPainter painter(&sheet);
            paint(painter);
            painter.end();
            QRect ink;
            for (int y = 0; y < sheet.height(); ++y)
                for (int x = 0; x < sheet.width(); ++x)
                    if (qGray(sheet.pixel(x, y)) < 128)
                        ink |= QRect(x, y, 1, 1);
            return ink;
        };
        const QRect bars = inkOf([&](QPainter& painter) {
            painter.scale(scale, scale);
            printing::DocumentPainter(document).paintPage(0, painter);
        });
        const QRect glyphs = inkOf([&](QPainter& painter) {
            QFont font(printing::ReportFont{}.family);
            font.setBold(true);
            font.setPointSizeF(14 * 25.4 / 72 * scale * 72.0 / painter.device()->logicalDpiY());
            painter.setFont(font);
            const Qt::Alignment flags[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter};
            painter.drawText(QRectF(box.topLeft() * scale, box.size() * scale),
                             int(flags[int(alignment)] | Qt::AlignAbsolute | Qt::AlignTop), rule);
        });
        SCOPED_TRACE(int(alignment));
        ASSERT_FALSE(bars.isEmpty());
        EXPECT_NEAR(bars.left(), glyphs.left(), 3);
        EXPECT_NEAR(bars.right(), glyphs.right(), 3);
        EXPECT_NEAR(bars.center().y(), glyphs.center().y(), 3);
        EXPECT_LE(bars.height(), glyphs.height() + 1);
    }
}

printing::Document sampleDocument()
{
    printing::TQuickRep report = twoBandReport();
    report.Bands.push_back({u"Summary"_s, printing::rbSummary, 300, {}});
    return printing::generateReport(report);
}

QByteArray saved(const printing::Document& document)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    printing::saveReport(document, buffer);
    return buffer.data();
}

std::string refusal(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    try {
        printing::loadReport(buffer);
    } catch (const printing::SavedReportError& error) {
        return error.what();
    }
    return "loaded";
}

TEST(SavedReport, LoadsBackTheSameDocument)
{
    const printing::Document document = sampleDocument();
    ASSERT_EQ(document.pages.size(), 2u);
    QBuffer buffer;
    buffer.setData(saved(document));
    buffer.open(QIODevice::ReadOnly);
    EXPECT_EQ(printing::loadReport(buffer), document);
}

TEST(SavedReport, RefusesEveryShortenedAlteredOrForeignFile)
{
    const QByteArray whole = saved(sampleDocument());
    for (qsizetype length = 0; length < whole.size(); length += 7)
        EXPECT_NE(refusal(whole.left(length)), "loaded") << "cut to " << length << " bytes";
    for (qsizetype at : {qsizetype(20), whole.size() / 2, whole.size() - 40, whole.size() - 1}) {
        QByteArray altered = whole;
        altered[at] = char(altered[at] ^ 0x01);
        EXPECT_NE(refusal(altered), "loaded") << "a byte altered at " << at;
    }
    EXPECT_NE(refusal(QByteArray("%PDF-1.4 not one of ours")), "loaded");
    EXPECT_NE(refusal(whole + "x"), "loaded") << "something after the end";
}

TEST(SavedReport, AFileOfALaterFormatSaysSo)
{
    QByteArray later = saved(sampleDocument());
    const qsizetype versionAt = QByteArray("IJAZAT-REPORT").size();
    later[versionAt + 3] = 2; // the version, big-endian
    EXPECT_EQ(refusal(later), "حُفظ التقرير بصيغة الإصدار \u20662\u2069، وهذا البرنامج لا يقرؤها");
}

} // namespace

TEST(Figures, AFigureTooWideForItsBoxShrinksToHalfItsTypeThenBecomesAMark)
{
    const printing::ReportFont font;
    EXPECT_TRUE(printing::isFigure(u"-2147483648"_s));
    for (const QString& text : {u""_s, u"-"_s, u"12a"_s, u"٣"_s, u"1 2"_s, u"+5"_s})
        EXPECT_FALSE(printing::isFigure(text)) << text.toStdString();
    const auto whole = printing::fitFigure(u"12"_s, font, 100);
    EXPECT_EQ(whole.text, u"12"_s);
    EXPECT_EQ(whole.font.points, font.points);
    const auto smaller = printing::fitFigure(u"2147483647"_s, font, 20);
    const auto mark = printing::fitFigure(u"2147483647"_s, font, 5);
    EXPECT_EQ(smaller.text, u"2147483647"_s);
    EXPECT_LT(smaller.font.points, font.points);
    EXPECT_GE(smaller.font.points, font.points / 2);
    EXPECT_EQ(mark.text, u"###"_s) << "a box a quarter of its width cannot hold it even at half size";
    EXPECT_EQ(mark.font.points, font.points);
}

TEST(SavedReport, AFileWithAMeasureNoReportCouldHoldIsRefusedAsDamaged)
{
    const auto spoil = [](const std::function<void(printing::Document&)>& change) {
        printing::Document document = sampleDocument();
        change(document);
        QBuffer file;
        file.open(QIODevice::ReadWrite);
        printing::saveReport(document, file); // the writer trusts its document; the reader must not
        file.seek(0);
        return printing::loadReport(file);
    };
    // Changes the first text of the first page, as a writer that trusted its document would keep it.
    const auto text = [](printing::Document& document, const std::function<void(printing::PlacedText&)>& change) {
        std::vector<printing::PlacedItem> items = document.pages[0].items();
        change(std::get<printing::PlacedText>(items[0]));
        document.pages[0] = printing::DocumentPage(std::move(items));
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    const std::vector<std::function<void(printing::Document&)>> spoiled = {
        [&](printing::Document& d) { d.paper.setWidth(nan); },
        [&](printing::Document& d) { d.paper.setHeight(1e308); },
        [&](printing::Document& d) { d.paper.setWidth(0); },
        [&](printing::Document& d) { text(d, [&](printing::PlacedText& t) { t.box.moveLeft(infinity); }); },
        [&](printing::Document& d) { text(d, [&](printing::PlacedText& t) { t.box.setWidth(-5); }); },
        [&](printing::Document& d) { text(d, [&](printing::PlacedText& t) { t.box.setHeight(1e12); }); },
        [&](printing::Document& d) { text(d, [&](printing::PlacedText& t) { t.font.points = nan; }); },
        [&](printing::Document& d) { text(d, [&](printing::PlacedText& t) { t.font.points = 1e9; }); },
        [&](printing::Document& d) { text(d, [&](printing::PlacedText& t) { t.font.points = 0; }); },
    };
    for (std::size_t n = 0; n < spoiled.size(); ++n)
        EXPECT_THROW(spoil(spoiled[n]), printing::SavedReportError) << n;
    EXPECT_EQ(spoil([](printing::Document&) {}), sampleDocument()) << "a sound one still loads";
}
