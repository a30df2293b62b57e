#include "BookWindowFixture.h"
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

TEST_F(CloseYearWindow, TheClerkClosesTheYearBeforeByKeyboardAndIsToldWhereItsArchiveIs)
{
    book->TableM.Insert();
    book->TableMWorkerName.SetText("Crossing");
    book->TableMServesStart.SetAsInteger(2016);
    book->TableMServesYears.SetAsInteger(9);
    book->TableMYearPermit.SetAsInteger(14);
    book->TableM.Post();
    testing_support::addEntry(book->TablePermitAdmin, "AdministrationPermit", 3);
    book->TableM.Edit();
    book->TableMAdministrationPermit.SetAsInteger(3);
    book->TableM.Post();
    open();
    EXPECT_TRUE(window->Edit1->hasFocus());
    EXPECT_EQ(window->Edit1->text(), u"2026"_s) << "this year, proposed";
    typeText(window->Edit1, u"2025"_s); // the text was selected: typing replaces it
    ASSERT_EQ(window->Grid1->rowCount(), 1);
    EXPECT_EQ(window->Grid1->item(0, 2)->text(), u"10"_s);
    EXPECT_EQ(window->Grid1->item(0, 4)->text(), u"21"_s);
    EXPECT_EQ(window->Grid1->item(0, 5)->text(), u"3"_s) << "the totals that go to the archive";
    EXPECT_EQ(window->Grid1->item(0, 8)->text(), u"21 من 2026: 10 سنوات خدمة"_s);
    enter();
    EXPECT_TRUE(window->BitBtn2->hasFocus());
    enter();
    EXPECT_EQ(boxes.questions.size(), 1);
    const std::filesystem::path archive = folder.root().parent_path() / "Archive" / "2025";
    ASSERT_TRUE(std::filesystem::exists(archive)) << boxes.exceptions.join(u'\n').toStdString();
    ASSERT_EQ(boxes.messages.size(), 1);
    EXPECT_TRUE(boxes.messages.front().contains(QString::fromStdString(archive.string())));
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(book->TablePermitAdmin.IsEmpty()) << "the cursors read the book as it now is";
    EXPECT_EQ(book->TableMYearPermit.AsInteger(), 21);
    EXPECT_TRUE(book->TableMAdministrationPermit.IsNull());
}

TEST_F(CloseYearWindow, AYearOtherThanThisOrTheOneBeforeOrACancelledQuestionClosesNothing)
{
    testing_support::addWorker(*book, "Amal");
    open();
    window->Edit1->selectAll();
    typeText(window->Edit1, u"2024"_s);
    QTest::mouseClick(window->BitBtn2, Qt::LeftButton);
    EXPECT_EQ(boxes.messages.size(), 1);
    EXPECT_TRUE(boxes.questions.isEmpty());
    window->Edit1->selectAll();
    typeText(window->Edit1, u"2026"_s);
    boxes.answerConfirm = false;
    QTest::mouseClick(window->BitBtn2, Qt::LeftButton);
    EXPECT_EQ(boxes.questions.size(), 1);
    EXPECT_FALSE(std::filesystem::exists(folder.root().parent_path() / "Archive"));
    EXPECT_TRUE(window->isVisible());
}

} // namespace
