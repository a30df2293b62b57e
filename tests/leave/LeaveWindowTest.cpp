#include "BookWindowFixture.h"
#include "Guard.h"
#include "OtherProgram.h"
#include "Pixels.h"
#include "ProgramLook.h"
#include "Unitadministrationpermit.h"
#include "Unithealthpermit.h"
#include "Unithourspermit.h"
#include "Unitnohirepermit.h"

#include <QPushButton>

#include <sqlite3.h>

using namespace Qt::Literals::StringLiterals;
using testing_support::pixelsOf;
using testing_support::typeText;

namespace {

const QString incompleteEntry = u"المعلومات غير مكتملة ؟؟ الرجاء اعادة كتابة المعلومات."_s;

// Four workers, added in an order other than their names'; TableM on the last one added.
class LeaveWindow : public testing_support::BookWindowFixture {
protected:
    LeaveWindow()
    {
        controls::fixToday(QDate(2026, 12, 8));
        for (const char* name : {"Salim", "Ahmad", "Huda", "Bilal"})
            keys.push_back(testing_support::addWorker(*book, name));
    }
    ~LeaveWindow() override { windows.clear(); }

    template <typename Window> Window& open()
    {
        auto window = std::make_unique<Window>();
        Window& shown = *window;
        windows.push_back(std::move(window));
        EXPECT_TRUE(testing_support::showActive(shown));
        return shown;
    }
    static void enter() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }
    static void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }
    static void retype(QLineEdit* box, const QString& text)
    {
        box->setFocus(Qt::MouseFocusReason);
        box->selectAll();
        if (text.isEmpty())
            QTest::keyClick(box, Qt::Key_Backspace);
        else
            typeText(box, text);
    }
    std::vector<std::vector<std::string>> stored(const char* table) const
    {
        return testing_support::readBook(folder.root())[table];
    }

    std::vector<std::int32_t> keys; // Salim, Ahmad, Huda, Bilal
    std::vector<std::unique_ptr<TLeaveWindowFrame>> windows;
};

TEST_F(LeaveWindow, OpenedUnderAnotherProgramsLockTheNextKeyFillsTheWindowAsIfJustShown)
{
    testing_support::OtherProgram desk(folder.root());
    desk.run("BEGIN EXCLUSIVE; UPDATE worker SET NoHire = 1");
    QPushButton opener; // the menu's button, clicked
    controls::connectGuarded(&opener, &QPushButton::clicked, &opener, [this] { open<TFormAdministrationPermit>(); });
    opener.show();
    click(&opener);
    QApplication::processEvents();
    auto& window = static_cast<TFormAdministrationPermit&>(*windows.back());
    EXPECT_EQ(boxes.exceptions.size(), 1) << boxes.exceptions.join(u'\n').toStdString();
    desk.run("ROLLBACK");
    QTest::keyClick(window.Edit1, 'H'); // the clerk starts typing a name
    EXPECT_TRUE(window.Edit1->hasFocus());
    EXPECT_EQ(window.Edit1->text(), u"H"_s);
    EXPECT_EQ(book->TableMWNWorkerName.Text(), "Huda") << "the list follows the typing";
    const QStringList shown = {window.Edit2->text(), window.Edit4->text(), window.Edit5->text(), window.Edit6->text()};
    EXPECT_EQ(shown, (QStringList{u"1"_s, u"08"_s, u"12"_s, u"2026"_s})) << "count and date as a show sets them";
    EXPECT_EQ(boxes.exceptions.size(), 1);
}

TEST_F(LeaveWindow, EveryShowResetsTheBoxesFromTheClockAndStartsTheListOnItsFirstName)
{
    TFormAdministrationPermit& window = open<TFormAdministrationPermit>();
    EXPECT_TRUE(window.Edit1->hasFocus());
    EXPECT_TRUE(window.Edit1->text().isEmpty());
    EXPECT_EQ(window.Edit2->text(), u"1"_s);
    EXPECT_EQ(window.Edit4->text(), u"08"_s);
    EXPECT_EQ(window.Edit5->text(), u"12"_s);
    EXPECT_EQ(window.Edit6->text(), u"2026"_s);
    EXPECT_EQ(book->TableMWNWorkerName.Text(), "Ahmad");
    EXPECT_EQ(window.DBGrid1->currentIndex().row(), 0);
    EXPECT_EQ(book->TableMAuto.AsInteger(), keys[3]) << "showing does not move TableM";

    TFormHoursPermit& hourly = open<TFormHoursPermit>();
    EXPECT_EQ(hourly.Edit2->text(), u"1"_s);
    EXPECT_EQ(hourly.Edit3->text(), u"0"_s);
    EXPECT_EQ(hourly.Label2->text(), u"ساعة"_s);
    EXPECT_EQ(hourly.Label1->text(), u"دقيقة"_s);
    EXPECT_EQ(window.Label2->text(), u"يوم"_s);
    EXPECT_EQ(window.Edit3, nullptr);

    retype(window.Edit2, u"7"_s);
    window.close();
    testing_support::addWorker(*book, "Adam");
    window.show();
    EXPECT_EQ(window.Edit2->text(), u"1"_s);
    EXPECT_EQ(book->TableMWNWorkerName.Text(), "Adam") << "a worker added since is found at the next show";
}

TEST_F(LeaveWindow, TypingANameHighlightsTheNearestWorkerWithoutMovingTableM)
{
    TFormHealthPermit& window = open<TFormHealthPermit>();
    typeText(window.Edit1, u"H"_s);
    EXPECT_EQ(book->TableMWNWorkerName.Text(), "Huda");
    EXPECT_EQ(window.DBGrid1->currentIndex().row(), 2);
    typeText(window.Edit1, u"z"_s);
    EXPECT_EQ(book->TableMWNWorkerName.Text(), "Salim") << "past every name: the last";
    EXPECT_EQ(book->TableMAuto.AsInteger(), keys[3]);
}

TEST_F(LeaveWindow, LeavingTheNameBoxFillsInTheHighlightedNameAndSelectsThatWorker)
{
    TFormNoHirePermit& window = open<TFormNoHirePermit>();
    typeText(window.Edit1, u"Hu"_s);
    enter();
    EXPECT_EQ(window.Edit1->text(), u"Huda"_s);
    EXPECT_EQ(book->TableMAuto.AsInteger(), keys[2]);
    EXPECT_TRUE(window.Edit2->hasFocus());
    EXPECT_EQ(window.Edit2->selectedText(), u"1"_s);

    retype(window.Edit1, u""_s);
    window.Edit4->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(window.Edit1->text(), u"Ahmad"_s) << "an empty name box selects the first worker";
    EXPECT_EQ(book->TableMAuto.AsInteger(), keys[1]);
}

TEST_F(LeaveWindow, ClickingOrWalkingTheGridSelectsTheRowsWorker)
{
    TFormAdministrationPermit& window = open<TFormAdministrationPermit>();
    QTest::mouseClick(window.DBGrid1->viewport(), Qt::LeftButton, {},
                      window.DBGrid1->visualRect(window.DBGrid1->rows().index(1, 0)).center());
    EXPECT_EQ(book->TableMAuto.AsInteger(), keys[3]);
    EXPECT_EQ(window.Edit1->text(), u"Bilal"_s);
    QTest::keyClick(window.DBGrid1, Qt::Key_Tab);
    EXPECT_EQ(book->TableMAuto.AsInteger(), keys[2]);
    EXPECT_TRUE(window.DBGrid1->hasFocus()) << "Tab never leaves the grid";
    QTest::keyClick(window.DBGrid1, Qt::Key_Down);
    QTest::keyClick(window.DBGrid1, Qt::Key_Down);
    QTest::keyClick(window.DBGrid1, Qt::Key_Tab);
    EXPECT_EQ(book->TableMAuto.AsInteger(), keys[0]) << "staying put at the end";
    QTest::keyClick(window.DBGrid1, Qt::Key_Backtab);
    EXPECT_EQ(book->TableMAuto.AsInteger(), keys[2]);
    EXPECT_EQ(window.Edit1->text(), u"Huda"_s);
}

TEST_F(LeaveWindow, ANamesakeChosenInTheGridStaysChosen)
{
    const std::int32_t second = testing_support::addWorker(*book, "Ahmad");
    TFormAdministrationPermit& window = open<TFormAdministrationPermit>();
    typeText(window.Edit1, u"Hu"_s);
    QTest::mouseClick(window.DBGrid1->viewport(), Qt::LeftButton, {},
                      window.DBGrid1->visualRect(window.DBGrid1->rows().index(1, 0)).center());
    EXPECT_EQ(window.Edit1->text(), u"Ahmad"_s);
    EXPECT_EQ(book->TableMAuto.AsInteger(), second);
    EXPECT_EQ(book->TableMWNAuto.AsInteger(), second);
    EXPECT_EQ(window.DBGrid1->currentIndex().row(), 1);
}

TEST_F(LeaveWindow, TheEnterChainSkipsTheYearAndEndsOnSave)
{
    TFormHoursPermit& hourly = open<TFormHoursPermit>();
    for (QWidget* next : std::initializer_list<QWidget*>{hourly.Edit2, hourly.Edit3, hourly.Edit4, hourly.Edit5,
                                                         hourly.BitBtn2}) {
        enter();
        EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
    }
    TFormAdministrationPermit& window = open<TFormAdministrationPermit>();
    enter();
    enter();
    EXPECT_TRUE(window.Edit4->hasFocus());
    EXPECT_EQ(window.Edit4->selectedText(), u"08"_s);
    window.Edit6->setFocus(Qt::MouseFocusReason);
    enter();
    EXPECT_TRUE(window.Edit6->hasFocus()) << "Enter in the year box does nothing";
    EXPECT_TRUE(window.isVisible());
}

TEST_F(LeaveWindow, TheTabOrderRunsFromTheGridThroughTheStripToTheButtons)
{
    TFormHoursPermit& window = open<TFormHoursPermit>();
    window.DBGrid1->setFocus();
    // The grid keeps Tab for itself, so the walk starts at the name box.
    window.Edit1->setFocus(Qt::TabFocusReason);
    for (QWidget* next : std::initializer_list<QWidget*>{window.Edit2, window.Edit3, window.Edit4, window.Edit5,
                                                         window.Edit6, window.BitBtn1, window.BitBtn2}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
    }
}

TEST_F(LeaveWindow, SavingNeedsNameAmountAndDayButBlanksPassAndThenFailConversion)
{
    TFormAdministrationPermit& window = open<TFormAdministrationPermit>();
    const testing_support::BookContents before = testing_support::readBook(folder.root());
    retype(window.Edit4, u""_s);
    click(window.BitBtn2);
    EXPECT_EQ(boxes.messages, QStringList{incompleteEntry});
    EXPECT_EQ(window.Edit1->text(), u"Ahmad"_s) << "leaving the empty name box selected the first worker";
    retype(window.Edit4, u"8"_s);
    retype(window.Edit2, u""_s);
    click(window.BitBtn2);
    EXPECT_EQ(boxes.messages.size(), 2);
    retype(window.Edit2, u"  "_s);
    click(window.BitBtn2);
    EXPECT_EQ(boxes.exceptions, QStringList{u"'  ' is not a valid integer value."_s});
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.Edit2->text(), u"  "_s);
    EXPECT_EQ(window.Edit4->text(), u"8"_s);
    EXPECT_EQ(testing_support::readBook(folder.root()), before);
    EXPECT_EQ(book->TableM.State(), store::CursorState::Browsing);
}

TEST_F(LeaveWindow, WithNoWorkersEverySaveIsIncomplete)
{
    for (std::int32_t key : keys) {
        book->TableM.FindKey(key);
        book->TableM.Delete();
    }
    TFormHealthPermit& window = open<TFormHealthPermit>();
    typeText(window.Edit1, u"Ahmad"_s);
    click(window.BitBtn2);
    EXPECT_TRUE(window.Edit1->text().isEmpty());
    EXPECT_EQ(boxes.messages, QStringList{incompleteEntry});
    EXPECT_TRUE(stored("PermitHealth").empty());
}

TEST_F(LeaveWindow, AClerkRecordsAdministrativeDaysByTypingAndEnter)
{
    TFormAdministrationPermit& window = open<TFormAdministrationPermit>();
    typeText(window.Edit1, u"Hu"_s);
    enter();
    typeText(window.Edit2, u"3"_s);
    enter();
    typeText(window.Edit4, u"8"_s);
    enter();
    typeText(window.Edit5, u"1"_s);
    enter();
    enter(); // the save button
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(boxes.exceptions.isEmpty());
    const auto entries = stored("PermitAdmin");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0][1], std::to_string(keys[2]));
    EXPECT_EQ(entries[0][2], "3");
    EXPECT_EQ(entries[0][4], "8/1/2026") << "typed as it stands: no zero-filling";
    EXPECT_EQ(entries[0][5], "1");
    EXPECT_EQ(book->TableMAdministrationPermit.AsInteger(), 3);
}

TEST_F(LeaveWindow, AClerkRecordsHoursAndMinutes)
{
    TFormHoursPermit& window = open<TFormHoursPermit>();
    typeText(window.Edit1, u"Sal"_s);
    enter();
    typeText(window.Edit2, u"2"_s);
    enter();
    typeText(window.Edit3, u"45"_s);
    retype(window.Edit6, u"20261234567"_s);
    click(window.BitBtn2);
    EXPECT_FALSE(window.isVisible());
    const auto entries = stored("PermitHours");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0][2], "2.45");
    EXPECT_EQ(entries[0][6], "08/12/202612") << "the date text is cut to 12";
    EXPECT_EQ(book->TableMWorkerName.Text(), "Salim");
    EXPECT_EQ(book->TableMHorsPermit.Text(), "2.45");
}

TEST_F(LeaveWindow, ABadMinutesBoxLeavesNothingPendingAndARetryPostsOnce)
{
    TFormHoursPermit& window = open<TFormHoursPermit>();
    typeText(window.Edit1, u"Sal"_s);
    enter();
    retype(window.Edit3, u""_s);
    click(window.BitBtn2);
    EXPECT_EQ(boxes.exceptions, QStringList{u"'' is not a valid integer value."_s});
    EXPECT_EQ(book->TableM.State(), store::CursorState::Browsing);
    retype(window.Edit3, u"5"_s);
    click(window.BitBtn2);
    EXPECT_EQ(book->TableMHours.AsInteger(), 1) << "the hours are added once";
    EXPECT_EQ(book->TableMMinute.AsInteger(), 5);
}

TEST_F(LeaveWindow, AClerkRecordsSickAndUnpaidDays)
{
    TFormHealthPermit& sick = open<TFormHealthPermit>();
    typeText(sick.Edit1, u"B"_s);
    enter();
    typeText(sick.Edit2, u"4"_s);
    click(sick.BitBtn2);
    TFormNoHirePermit& unpaid = open<TFormNoHirePermit>();
    typeText(unpaid.Edit1, u"B"_s);
    enter();
    retype(unpaid.Edit5, u""_s);
    click(unpaid.BitBtn2);
    EXPECT_EQ(book->TableMHealthPermit.AsInteger(), 4);
    EXPECT_EQ(book->TableMNoHire.AsInteger(), 1);
    EXPECT_EQ(stored("PermitNoHire").at(0)[3], "08//2026");
    EXPECT_EQ(stored("PermitNoHire").at(0)[4], "");
    EXPECT_TRUE(stored("PermitAdmin").empty());
}

TEST_F(LeaveWindow, ClosingWritesNothing)
{
    TFormAdministrationPermit& window = open<TFormAdministrationPermit>();
    const testing_support::BookContents before = testing_support::readBook(folder.root());
    typeText(window.Edit1, u"Hu"_s);
    retype(window.Edit2, u"5"_s);
    click(window.BitBtn1);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(testing_support::readBook(folder.root()), before);
    EXPECT_EQ(book->TableMAuto.AsInteger(), keys[2]) << "the selection made on leaving the name box stays";
}

} // namespace

namespace {

void deleteElsewhere(const std::filesystem::path& root, std::int32_t worker)
{
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open((root / "worker/worker.db").string().c_str(), &other), SQLITE_OK);
    const std::string sql = "DELETE FROM worker WHERE Auto = " + std::to_string(worker);
    EXPECT_EQ(sqlite3_exec(other, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(other);
}

TEST_F(LeaveWindow, AWorkerDeletedElsewhereIsNeverChargedAndNoOneElseIs)
{
    for (const bool deletedBeforeChoosing : {true, false}) {
        SCOPED_TRACE(deletedBeforeChoosing ? "deleted before the worker was chosen" : "deleted after");
        TFormAdministrationPermit& window = open<TFormAdministrationPermit>();
        auto workersBefore = storedWorkers();
        ASSERT_EQ(book->TableMWNWorkerName.Text(), "Ahmad");
        const std::int32_t ahmad = book->TableMWNAuto.AsInteger();
        if (deletedBeforeChoosing)
            deleteElsewhere(folder.root(), ahmad);
        enter(); // Ahmad, the highlighted worker, is chosen
        if (!deletedBeforeChoosing) {
            EXPECT_EQ(book->TableMAuto.AsInteger(), ahmad);
            deleteElsewhere(folder.root(), ahmad);
        }
        click(window.BitBtn2);
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(boxes.messages.size() + boxes.exceptions.size(), 1) << "one clear refusal";
        EXPECT_TRUE(stored("PermitAdmin").empty());
        auto workersAfter = storedWorkers();
        EXPECT_EQ(workersAfter.size(), 3u);
        std::erase_if(workersBefore, [&](const auto& row) { return row[0] == std::to_string(ahmad); });
        EXPECT_EQ(workersAfter, workersBefore) << "no other worker charged";
        boxes.messages.clear();
        boxes.exceptions.clear();
        window.close();
        testing_support::addWorker(*book, "Ahmad");
    }
}

} // namespace


// A name typed as people type it finds the worker however the book spells it; Enter walks
// the chain to the save button, which is then plainly marked; each box shows its selection
// only while it holds the focus.
TEST_F(LeaveWindow, ANameTypedWithoutItsHamzaFindsItAndTheChainEndsOnAMarkedSaveButton)
{
    const std::int32_t ibrahim = testing_support::addWorker(*book, "إبراهيم");
    testing_support::addWorker(*book, "احمد");
    TFormAdministrationPermit& window = open<TFormAdministrationPermit>();
    typeText(window.Edit1, u"ابراهيم"_s);
    EXPECT_EQ(book->TableMWNAuto.AsInteger(), ibrahim);
    EXPECT_EQ(window.DBGrid1->currentIndex().row(), 4) << "after the four Latin names";
    EXPECT_EQ(window.DBGrid1->currentIndex().column(), 0);

    const QColor ring = QColor::fromRgb(controls::focusRingRgb);
    const QColor selection = window.Edit2->palette().color(QPalette::Active, QPalette::Highlight);
    enter();
    ASSERT_TRUE(window.Edit2->hasFocus());
    EXPECT_GT(pixelsOf(window.Edit2->grab().toImage(), selection), 20) << "the selected count shows while focused";
    EXPECT_EQ(pixelsOf(window.BitBtn2->grab().toImage(), ring), 0);
    {
        QWidget elsewhere; // a box of another window takes the focus; the count keeps its selection unseen
        ASSERT_TRUE(testing_support::showActive(elsewhere));
        EXPECT_TRUE(window.Edit2->hasSelectedText());
        EXPECT_EQ(pixelsOf(window.Edit2->grab().toImage(), selection), 0) << "a selection without the focus is not shown";
    }
    ASSERT_TRUE(testing_support::showActive(window));
    ASSERT_TRUE(window.Edit2->hasFocus());
    for (QLineEdit* box : {window.Edit4, window.Edit5}) { // the year box is passed over
        enter();
        EXPECT_TRUE(box->hasFocus()) << box->objectName().toStdString();
    }
    enter();
    ASSERT_TRUE(window.BitBtn2->hasFocus());
    EXPECT_GT(pixelsOf(window.BitBtn2->grab().toImage(), ring), 150) << "the focused save button is ringed";
    EXPECT_EQ(pixelsOf(window.BitBtn1->grab().toImage(), ring), 0) << "the close button is not";
    EXPECT_EQ(book->TableMAuto.AsInteger(), ibrahim);
}
