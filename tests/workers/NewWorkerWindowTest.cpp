#include "BookWindowFixture.h"
#include "Unitnew.h"

#include <QPushButton>

using namespace Qt::Literals::StringLiterals;
using testing_support::typeText;

namespace {

const QString inputError = u"يوجد خطأ في الإدخال"_s;
const QString incompleteEntry = u"المعلومات غير مكتملة ؟؟ الرجاء اعادة كتابة المعلومات."_s;

// Stored worker fields in stored order, by name, for reading a row of the book.
enum Stored { Auto, WorkerName, ServesYears, ServesStart, YearPermit, AdministrationPermit };

class NewWorkerWindow : public testing_support::BookWindowFixture {
protected:
    NewWorkerWindow() { FormNew = window.get(); }
    ~NewWorkerWindow() override
    {
        window.reset();
        FormNew = nullptr;
    }

    void open()
    {
        ASSERT_TRUE(testing_support::showActive(*window));
    }
    void reopenWindow()
    {
        window->close();
        open();
    }
    // Types into a box reached by a click, as a user would.
    void typeInto(QWidget* box, const QString& text)
    {
        box->setFocus(Qt::MouseFocusReason);
        typeText(box, text);
    }
    void enter() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }
    void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    std::unique_ptr<TFormNew> window = std::make_unique<TFormNew>();
};

TEST_F(NewWorkerWindow, EveryShowingBeginsABlankWorkerWithTheNameBoxFocusedAndTheYearTaken)
{
    open();
    EXPECT_EQ(book->TableM.State(), store::CursorState::Inserting);
    EXPECT_TRUE(window->DBEdit1->hasFocus());
    EXPECT_EQ(window->Edit1->text(), u"2026"_s);
    EXPECT_FALSE(window->Edit1->isVisible());
    for (const controls::DBEdit* box : {window->DBEdit1, window->DBEdit2, window->DBEdit3, window->DBEdit4})
        EXPECT_TRUE(box->text().isEmpty());
    typeInto(window->DBEdit1, u"Ahmad"_s);
    controls::fixToday(QDate(2031, 1, 2));
    reopenWindow();
    EXPECT_TRUE(window->DBEdit1->text().isEmpty()) << "no text is carried over";
    EXPECT_EQ(window->Edit1->text(), u"2031"_s);
}

TEST_F(NewWorkerWindow, LeavingTheStartBoxDerivesYearsAndEntitlementAtTheBoundaries)
{
    struct Case {
        QString start, years, entitlement;
    };
    for (const Case& expected : {Case{u"2026"_s, u"0"_s, u"14"_s}, Case{u"2017"_s, u"9"_s, u"14"_s},
                                 Case{u"2016"_s, u"10"_s, u"21"_s}, Case{u"0"_s, u"2026"_s, u"21"_s},
                                 Case{u"-5"_s, u"2031"_s, u"21"_s}}) {
        SCOPED_TRACE(expected.start.toStdString());
        open();
        typeInto(window->DBEdit2, expected.start);
        window->DBEdit1->setFocus(Qt::MouseFocusReason);
        EXPECT_EQ(window->DBEdit4->text(), expected.years);
        EXPECT_EQ(window->DBEdit3->text(), expected.entitlement);
        EXPECT_TRUE(boxes.messages.isEmpty());
        window->close();
    }
}

TEST_F(NewWorkerWindow, AStartAfterThisYearIsAnInputErrorAndLeavesBothDerivedBoxesAlone)
{
    open();
    typeInto(window->DBEdit3, u"30"_s);
    typeInto(window->DBEdit4, u"7"_s);
    typeInto(window->DBEdit2, u"2027"_s);
    window->DBEdit1->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(boxes.messages, QStringList{inputError});
    EXPECT_EQ(window->DBEdit3->text(), u"30"_s);
    EXPECT_EQ(window->DBEdit4->text(), u"7"_s);
    EXPECT_EQ(book->TableMServesStart.AsInteger(), 2027) << "the start box's own text is kept";

    boxes.messages.clear();
    window->DBEdit2->selectAll();
    typeInto(window->DBEdit2, u"-2147483000"_s);
    window->DBEdit1->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(boxes.messages, QStringList{inputError}) << "years beyond the 32-bit range do not wrap round";
    EXPECT_EQ(window->DBEdit4->text(), u"7"_s);
}

TEST_F(NewWorkerWindow, AnEmptyStartDerivesNothingAndAHandTypedEntitlementIsOverwritten)
{
    open();
    typeInto(window->DBEdit3, u"30"_s);
    typeInto(window->DBEdit2, u""_s);
    window->DBEdit1->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(window->DBEdit3->text(), u"30"_s);
    typeInto(window->DBEdit2, u"2020"_s);
    window->DBEdit1->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(window->DBEdit3->text(), u"14"_s);
    EXPECT_TRUE(boxes.messages.isEmpty());
}

TEST_F(NewWorkerWindow, ANonNumberInTheStartBoxIsRefusedBeforeAnyDerivationAndSaveDoesNothing)
{
    open();
    typeInto(window->DBEdit1, u"Ahmad"_s);
    typeInto(window->DBEdit2, u"20-20"_s);
    click(window->BitBtn2);
    EXPECT_EQ(boxes.exceptions, QStringList{u"'20-20' is not a valid integer value for field 'ServesStart'"_s});
    EXPECT_TRUE(boxes.messages.isEmpty()) << "no derivation ran";
    EXPECT_TRUE(window->DBEdit2->hasFocus());
    EXPECT_TRUE(window->isVisible()) << "the press on save that the box refused does nothing";
    EXPECT_TRUE(storedWorkers().empty());
}

TEST_F(NewWorkerWindow, TheNameBoxTakesThirtyCharacters)
{
    open();
    typeInto(window->DBEdit1, u"أبجد هوز حطي كلمن سعفص قرشت ثخذ"_s);
    EXPECT_EQ(window->DBEdit1->text().size(), 30);
}

TEST_F(NewWorkerWindow, EnterWalksTheChainAndTheStartBoxDerivesBeforeSaveHasTheFocus)
{
    open();
    typeText(window->DBEdit1, u"Ahmad"_s);
    enter();
    EXPECT_TRUE(window->DBEdit2->hasFocus());
    typeText(window->DBEdit2, u"2010"_s);
    enter();
    EXPECT_TRUE(window->BitBtn2->hasFocus());
    EXPECT_EQ(window->DBEdit4->text(), u"16"_s);
    EXPECT_EQ(window->DBEdit3->text(), u"21"_s);

    window->DBEdit3->setFocus(Qt::MouseFocusReason);
    enter();
    EXPECT_TRUE(window->DBEdit4->hasFocus());
    EXPECT_EQ(window->DBEdit4->selectedText(), u"16"_s) << "a box reached by Enter has its text selected";
    enter();
    EXPECT_TRUE(window->BitBtn2->hasFocus());
    enter(); // presses the save button
    EXPECT_FALSE(window->isVisible());
    ASSERT_EQ(storedWorkers().size(), 1u);
    EXPECT_EQ(storedWorkers()[0][WorkerName], "Ahmad");
    EXPECT_EQ(storedWorkers()[0][ServesYears], "16");
}

TEST_F(NewWorkerWindow, TabPassesTheEntitlementBeforeTheYearsThenTheButtons)
{
    open();
    const std::vector<QWidget*> order = {window->DBEdit2, window->DBEdit3, window->DBEdit4, window->BitBtn1,
                                         window->BitBtn2, window->DBEdit1};
    for (QWidget* next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
    }
}

TEST_F(NewWorkerWindow, SavingNeedsANameAndAnEntitlementAndKeepsEverythingWhenRefused)
{
    open();
    typeInto(window->DBEdit3, u"14"_s);
    click(window->BitBtn2);
    EXPECT_EQ(boxes.messages, QStringList{incompleteEntry});
    typeInto(window->DBEdit1, u"Huda"_s);
    window->DBEdit3->selectAll();
    QTest::keyClick(window->DBEdit3, Qt::Key_Backspace);
    click(window->BitBtn2);
    EXPECT_EQ(boxes.messages.size(), 2);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(book->TableM.State(), store::CursorState::Inserting);
    EXPECT_EQ(window->DBEdit1->text(), u"Huda"_s);
    EXPECT_TRUE(storedWorkers().empty());
}

TEST_F(NewWorkerWindow, ANameAndStartYearSavedAtOnceAreStoredWithAllFourFieldsAndStayCurrent)
{
    testing_support::addWorker(*book, "Salim");
    open();
    typeInto(window->DBEdit1, u"خالد"_s);
    typeInto(window->DBEdit2, u"2015"_s);
    click(window->BitBtn2);
    EXPECT_FALSE(window->isVisible());
    ASSERT_EQ(storedWorkers().size(), 2u);
    const std::vector<std::string> stored = storedWorkers()[1];
    EXPECT_EQ(stored[WorkerName], "خالد");
    EXPECT_EQ(stored[ServesStart], "2015");
    EXPECT_EQ(stored[ServesYears], "11");
    EXPECT_EQ(stored[YearPermit], "21");
    EXPECT_EQ(stored[AdministrationPermit], "<null>") << "the totals stay empty";
    EXPECT_EQ(book->TableM.State(), store::CursorState::Browsing);
    EXPECT_EQ(book->TableMWorkerName.Text(), "خالد");
}

TEST_F(NewWorkerWindow, ClosingWithoutSavingStoresNothingNowOrLater)
{
    open();
    typeInto(window->DBEdit1, u"Ahmad"_s);
    typeInto(window->DBEdit3, u"14"_s);
    click(window->BitBtn1);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(book->TableM.State(), store::CursorState::Browsing);
    book->TableM.First();
    open();
    window->close();
    EXPECT_TRUE(storedWorkers().empty());
}

TEST_F(NewWorkerWindow, AnEngineFailureWhilePostingKeepsTheWindowAndThePendingWorker)
{
    open();
    typeInto(window->DBEdit1, u"Ahmad"_s);
    typeInto(window->DBEdit2, u"2020"_s);
    testing_support::FaultVfs::failAt(1);
    click(window->BitBtn2);
    ASSERT_EQ(boxes.exceptions.size(), 1);
    EXPECT_TRUE(boxes.exceptions[0].contains(u"disk I/O error"_s)) << boxes.exceptions[0].toStdString();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(book->TableM.State(), store::CursorState::Inserting);
    EXPECT_EQ(window->DBEdit1->text(), u"Ahmad"_s);
    EXPECT_TRUE(storedWorkers().empty());

    click(window->BitBtn2); // the disk is well again
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(storedWorkers().size(), 1u);
}

} // namespace
