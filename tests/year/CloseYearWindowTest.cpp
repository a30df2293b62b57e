#include "BookWindowFixture.h"
#include "GridTitles.h"
#include "IsolatedText.h"
#include "Unitcloseyear.h"

using namespace Qt::Literals::StringLiterals;
using testing_support::typeText;

namespace {

class CloseYearWindow : public testing_support::BookWindowFixture {
protected:
    ~CloseYearWindow() override
    {
        window.reset();
        FormCloseYear = nullptr;
    }
    void open()
    {
        window = std::make_unique<TFormCloseYear>();
        FormCloseYear = window.get();
        ASSERT_TRUE(testing_support::showActive(*window));
    }
    static void enter() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }

    std::unique_ptr<TFormCloseYear> window;
};

TEST_F(CloseYearWindow, InJanuaryTheClerkClosesTheYearJustEndedByKeyboardAndIsToldWhereItsArchiveIs)
{
    controls::fixToday(QDate(2027, 1, 5));
    book->TableM.Insert();
    book->TableMWorkerName.SetText("Crossing");
    book->TableMServesStart.SetAsInteger(2017);
    book->TableMServesYears.SetAsInteger(9);
    book->TableMYearPermit.SetAsInteger(2);
    book->TableMHours.SetAsInteger(12);
    book->TableMMinute.SetAsInteger(30);
    book->TableMHealthPermit.SetAsInteger(2147483647); // the widest figure a column may have to show
    book->TableM.Post();
    testing_support::addEntry(book->TablePermitAdmin, "AdministrationPermit", 3);
    book->TableM.Edit();
    book->TableMAdministrationPermit.SetAsInteger(3);
    book->TableM.Post();
    open();
    EXPECT_TRUE(window->Edit1->hasFocus());
    EXPECT_EQ(window->Edit1->text(), u"2026"_s) << "the year just ended, proposed";
    const QAbstractItemModel& plan = *window->Grid1->model();
    ASSERT_EQ(plan.rowCount(), 1);
    const QStringList shown = {u"Crossing"_s, u"9"_s, u"10"_s, u"2"_s, u"2"_s, u"4"_s, u"2147483647"_s, u""_s, u"2"_s, u"4.30"_s,
                               u"1 يوم من رصيد الساعات"_s};
    auto* titles = static_cast<controls::GridTitles*>(window->Grid1->horizontalHeader());
    for (int column = 0; column < shown.size(); ++column) {
        EXPECT_EQ(plan.index(0, column).data().toString(), shown[column]) << column;
        EXPECT_EQ(titles->shownTitle(column), plan.headerData(column, Qt::Horizontal).toString()) << "no title cut";
        EXPECT_GT(window->Grid1->columnWidth(column), window->Grid1->fontMetrics().horizontalAdvance(shown[column]))
            << "no figure cut: " << column;
    }
    enter();
    EXPECT_TRUE(window->BitBtn2->hasFocus());
    enter();
    EXPECT_EQ(boxes.questions.size(), 1);
    const std::filesystem::path archive = folder.root().parent_path() / "Archive" / "2026";
    ASSERT_TRUE(std::filesystem::exists(archive)) << boxes.exceptions.join(u'\n').toStdString();
    ASSERT_EQ(boxes.messages.size(), 1);
    EXPECT_TRUE(boxes.messages.front().contains(controls::isolatedLeftToRight(QString::fromStdString(archive.string()))));
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(book->TablePermitAdmin.IsEmpty()) << "the cursors read the book as it now is";
    EXPECT_EQ(book->TableMYearPermit.AsInteger(), 2) << "a hand-typed entitlement is kept";
    EXPECT_EQ(book->TableMServesYears.AsInteger(), 10);
    EXPECT_TRUE(book->TableMAdministrationPermit.IsNull());
    EXPECT_EQ(book->TableMHorsPermit.Text(), "4.30") << "what is below a day is carried";

    open();
    EXPECT_EQ(window->Edit1->text(), u"2026"_s) << "nothing else has ended";
    QTest::mouseClick(window->BitBtn2, Qt::LeftButton);
    ASSERT_EQ(boxes.messages.size(), 2);
    EXPECT_TRUE(boxes.messages.back().contains(u"مقفلة من قبل"_s)) << boxes.messages.back().toStdString();
    EXPECT_EQ(boxes.questions.size(), 1) << "refused before it asks";
}

TEST_F(CloseYearWindow, AYearNotEndedOrOutOfOrderOrACancelledQuestionClosesNothing)
{
    testing_support::addWorker(*book, "Amal");
    controls::fixToday(QDate(2026, 12, 9));
    open();
    EXPECT_EQ(window->Edit1->text(), u"2025"_s) << "a book never closed: the year just ended";
    for (const auto& [typed, said] : std::vector<std::pair<QString, QString>>{
             {u"2026"_s, u"لم تنته سنة"_s}, {u"20"_s, u"بأرقامها الأربعة"_s}}) {
        window->Edit1->selectAll();
        typeText(window->Edit1, typed);
        QTest::mouseClick(window->BitBtn2, Qt::LeftButton);
        ASSERT_FALSE(boxes.messages.isEmpty());
        EXPECT_TRUE(boxes.messages.back().contains(said)) << boxes.messages.back().toStdString();
        EXPECT_TRUE(window->Edit1->hasFocus()) << "the box stays where the clerk can mend it";
    }
    EXPECT_TRUE(boxes.questions.isEmpty());
    window->Edit1->selectAll();
    typeText(window->Edit1, u"2024"_s);
    boxes.answerConfirm = false;
    QTest::mouseClick(window->BitBtn2, Qt::LeftButton);
    EXPECT_EQ(boxes.questions.size(), 1);
    EXPECT_FALSE(std::filesystem::exists(folder.root().parent_path() / "Archive"));
    EXPECT_TRUE(window->isVisible());
}

} // namespace
