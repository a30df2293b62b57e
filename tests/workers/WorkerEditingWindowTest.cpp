#include "BookWindowFixture.h"
#include "FieldLineEdit.h"
#include "Unitallworkerchang.h"

#include <QHeaderView>
#include <QTimer>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;
using controls::NavigatorButton;
using testing_support::typeText;

namespace {

enum Stored { Auto, WorkerName, ServesYears, ServesStart, YearPermit };

class WorkerEditingWindow : public testing_support::BookWindowFixture {
protected:
    ~WorkerEditingWindow() override
    {
        window.reset();
        FormAllWorkerChang = nullptr;
    }

    void open()
    {
        window = std::make_unique<TFormAllWorkerChang>();
        FormAllWorkerChang = window.get();
        ASSERT_TRUE(testing_support::showActive(*window));
    }
    controls::DBGrid& grid() const { return *window->DBGrid1; }
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    }
    void clickRow(int row)
    {
        QTest::mouseClick(grid().viewport(), Qt::LeftButton, {},
                          grid().visualRect(grid().rows().index(row, 0)).center());
    }
    void closeByButton() { QTest::mouseClick(window->BitBtn1, Qt::LeftButton); }

    std::unique_ptr<TFormAllWorkerChang> window;
};

TEST_F(WorkerEditingWindow, OnAnEmptyTableTheNavigatorOffersInsertAndEditAndTypingBeginsAWorker)
{
    open();
    EXPECT_EQ(grid().rows().rowCount(), 0);
    const auto enabled = [this](NavigatorButton which) { return window->DBNavigator1->button(which)->isEnabled(); };
    for (NavigatorButton off : {NavigatorButton::First, NavigatorButton::Prior, NavigatorButton::Next,
                                NavigatorButton::Last, NavigatorButton::Delete})
        EXPECT_FALSE(enabled(off));
    EXPECT_TRUE(enabled(NavigatorButton::Insert));
    EXPECT_TRUE(enabled(NavigatorButton::Edit));
    EXPECT_TRUE(grid().hasFocus());
    typeText(&grid(), u"Huda"_s);
    EXPECT_EQ(book->TableM.State(), store::CursorState::Inserting);
    closeByButton();
    ASSERT_EQ(storedWorkers().size(), 1u);
    EXPECT_EQ(storedWorkers()[0][WorkerName], "Huda");
}

TEST_F(WorkerEditingWindow, DownThenUpWithNothingTypedStoresNothing)
{
    testing_support::addWorker(*book, "Ahmad");
    open();
    press(Qt::Key_Down);
    EXPECT_EQ(grid().rows().rowCount(), 2);
    press(Qt::Key_Up);
    closeByButton();
    EXPECT_EQ(storedWorkers().size(), 1u);
}

TEST_F(WorkerEditingWindow, ANewRowLeftUntouchedWhenTheWindowClosesIsDropped)
{
    testing_support::addWorker(*book, "Ahmad");
    open();
    press(Qt::Key_Insert);
    closeByButton();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(book->TableM.State(), store::CursorState::Browsing);
    EXPECT_EQ(storedWorkers().size(), 1u);
}

TEST_F(WorkerEditingWindow, ChangingTheStartOfServiceLeavesYearsAndEntitlementAsTheyWere)
{
    book->TableM.Insert();
    book->TableMWorkerName.SetText("Ahmad");
    book->TableMServesStart.SetAsInteger(2016);
    book->TableMServesYears.SetAsInteger(10);
    book->TableMYearPermit.SetAsInteger(21);
    book->TableM.Post();
    open();
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    typeText(&grid(), u"2021"_s);
    press(Qt::Key_Return);
    closeByButton();
    const std::vector<std::string> stored = storedWorkers().at(0);
    EXPECT_EQ(stored[ServesStart], "2021");
    EXPECT_EQ(stored[ServesYears], "10");
    EXPECT_EQ(stored[YearPermit], "21");
}

TEST_F(WorkerEditingWindow, ACorrectionTypedThenClosedAtOnceSurvivesARestart)
{
    const std::int32_t key = testing_support::addWorker(*book, "Ahmad");
    open();
    typeText(&grid(), u"Ahmad Nouri"_s);
    closeByButton();
    EXPECT_EQ(book->TableM.State(), store::CursorState::Browsing);
    window.reset();
    reopen();
    ASSERT_TRUE(book->TableM.FindKey(key));
    EXPECT_EQ(book->TableMWorkerName.Text(), "Ahmad Nouri");
}

TEST_F(WorkerEditingWindow, DeletingAWorkerKeepsTheWorkersEntries)
{
    testing_support::addWorker(*book, "Ahmad");
    testing_support::addEntry(book->TablePermitAdmin, "AdministrationPermit", 3);
    testing_support::addEntry(book->TablePermitHours, "Hours", 2);
    open();
    boxes.answerDelete = true;
    window->DBNavigator1->button(NavigatorButton::Delete)->click();
    EXPECT_EQ(boxes.deleteQuestions, 1);
    EXPECT_TRUE(storedWorkers().empty());
    const testing_support::BookContents stored = testing_support::readBook(folder.root());
    EXPECT_EQ(stored.at("PermitAdmin").size(), 1u);
    EXPECT_EQ(stored.at("PermitHours").size(), 1u);
}

TEST_F(WorkerEditingWindow, TheWorkerSelectedWhenTheWindowClosesStaysCurrent)
{
    for (const char* name : {"Ahmad", "Salim", "Huda"})
        testing_support::addWorker(*book, name);
    book->TableM.First();
    open();
    clickRow(2);
    closeByButton();
    EXPECT_EQ(book->TableMWorkerName.Text(), "Huda");
}

TEST_F(WorkerEditingWindow, ANonNumberInAnIntegerCellIsRefusedAndTheWindowStaysOpen)
{
    testing_support::addWorker(*book, "Ahmad");
    open();
    press(Qt::Key_Tab);
    typeText(&grid(), u"x-1"_s);
    EXPECT_EQ(grid().cellEditor().text(), u"-1"_s) << "letters are refused as typed";
    typeText(&grid().cellEditor(), u"-"_s);
    closeByButton();
    EXPECT_EQ(boxes.exceptions, QStringList{u"'-1-' is not a valid integer value for field 'ServesYears'"_s});
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(grid().cellEditor().hasFocus());
    EXPECT_EQ(storedWorkers().at(0)[ServesYears], "<null>");
}

TEST_F(WorkerEditingWindow, AWorkerThatCannotBeStoredKeepsTheWindowOpenWithItsChange)
{
    testing_support::addWorker(*book, "Ahmad");
    open();
    typeText(&grid(), u"Ahmad Nouri"_s);
    press(Qt::Key_Return);
    testing_support::FaultVfs::failAt(1);
    closeByButton();
    ASSERT_EQ(boxes.exceptions.size(), 1);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(book->TableM.State(), store::CursorState::Editing);
    EXPECT_EQ(book->TableMWorkerName.Text(), "Ahmad Nouri");
    closeByButton();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(storedWorkers().at(0)[WorkerName], "Ahmad Nouri");
}

TEST_F(WorkerEditingWindow, TheGridShowsTheFourWorkerColumnsInTheirColours)
{
    testing_support::addWorker(*book, "Ahmad");
    open();
    const controls::CursorTableModel& rows = grid().rows();
    ASSERT_EQ(rows.columnCount(), 4);
    EXPECT_EQ(rows.headerData(0, Qt::Horizontal).toString(), u"اسم العامل"_s);
    EXPECT_EQ(rows.headerData(1, Qt::Horizontal).toString(), u"سنوات الخدمة"_s);
    EXPECT_EQ(rows.headerData(2, Qt::Horizontal).toString(), u"بداية الخدمة"_s);
    EXPECT_EQ(rows.headerData(3, Qt::Horizontal).toString(), u"الإستحقاق السنوي"_s);
    EXPECT_EQ(grid().columnWidth(0), 195);
    EXPECT_EQ(grid().columnWidth(2), 65);
    EXPECT_EQ(rows.index(0, 3).data(Qt::BackgroundRole).value<QColor>(), QColor(0xEA, 0xFF, 0xFF));
    EXPECT_EQ(grid().layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(window->Panel1->size(), QSize(472, 285));
    EXPECT_EQ(window->DBNavigator1->geometry(), QRect(0, 0, 472, 21));
    EXPECT_EQ(window->windowTitle(), u"FormAllWorkerChang"_s);
}

} // namespace

namespace {

// How a cell open with typing in it was closed, and where the grid must then stand.
struct CellClosing {
    const char* how;
    int key;                                 // a key pressed in the open cell, or 0
    std::optional<NavigatorButton> button;  // else a navigator button clicked
    int row;
    store::CursorState state;
    const char* storedStart; // what W2's start of service then holds in the book

    friend void PrintTo(const CellClosing& closing, std::ostream* out) { *out << closing.how; }
};

class ClosingAnOpenCell : public WorkerEditingWindow, public ::testing::WithParamInterface<CellClosing> {};

TEST_P(ClosingAnOpenCell, KeepsTheCurrentColumnAndMovesOnlyTheRowItSays)
{
    const CellClosing closing = GetParam();
    for (const char* name : {"W1", "W2", "W3"})
        testing_support::addWorker(*book, name);
    book->TableM.First();
    open();
    QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, grid().visualRect(grid().rows().index(1, ServesStart - 1)).center());
    typeText(&grid(), u"5"_s);
    ASSERT_TRUE(grid().isEditingCell());
    if (closing.key)
        press(closing.key);
    else
        window->DBNavigator1->button(*closing.button)->click();
    EXPECT_EQ(grid().currentIndex().row(), closing.row);
    EXPECT_EQ(grid().currentColumn(), ServesStart - 1);
    EXPECT_EQ(grid().currentIndex().column(), ServesStart - 1);
    EXPECT_EQ(book->TableM.State(), closing.state);
    EXPECT_TRUE(grid().hasFocus() || grid().cellEditor().hasFocus());
    EXPECT_EQ(storedWorkers().at(1)[ServesStart], closing.storedStart);
    EXPECT_TRUE(boxes.exceptions.isEmpty()) << boxes.exceptions.join(u'\n').toStdString();
}

using store::CursorState;
INSTANTIATE_TEST_SUITE_P(
    KeysAndNavigator, ClosingAnOpenCell,
    ::testing::Values(CellClosing{"Enter", Qt::Key_Return, {}, 1, CursorState::Editing, "<null>"},
                      CellClosing{"Escape", Qt::Key_Escape, {}, 1, CursorState::Editing, "<null>"},
                      CellClosing{"Up", Qt::Key_Up, {}, 0, CursorState::Browsing, "5"},
                      CellClosing{"Down", Qt::Key_Down, {}, 2, CursorState::Browsing, "5"},
                      CellClosing{"PageUp", Qt::Key_PageUp, {}, 0, CursorState::Browsing, "5"},
                      CellClosing{"PageDown", Qt::Key_PageDown, {}, 2, CursorState::Browsing, "5"},
                      CellClosing{"Insert", Qt::Key_Insert, {}, 1, CursorState::Inserting, "5"},
                      CellClosing{"NavigatorPost", 0, NavigatorButton::Post, 1, CursorState::Browsing, "5"},
                      CellClosing{"NavigatorCancel", 0, NavigatorButton::Cancel, 1, CursorState::Browsing, "<null>"},
                      CellClosing{"NavigatorNext", 0, NavigatorButton::Next, 2, CursorState::Browsing, "5"},
                      CellClosing{"NavigatorPrior", 0, NavigatorButton::Prior, 0, CursorState::Browsing, "5"},
                      CellClosing{"NavigatorInsert", 0, NavigatorButton::Insert, 1, CursorState::Inserting, "5"}),
    [](const ::testing::TestParamInfo<CellClosing>& shown) { return std::string(shown.param.how); });

TEST_F(WorkerEditingWindow, ValuesTypedWithEnterAndArrowsBetweenCellsLandInTheirOwnFields)
{
    for (const char* name : {"W1", "W2"})
        testing_support::addWorker(*book, name);
    book->TableM.First();
    open();
    // The correction that once went to the next worker's name.
    QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, grid().visualRect(grid().rows().index(0, YearPermit - 1)).center());
    typeText(&grid(), u"21"_s);
    press(Qt::Key_Return);
    press(Qt::Key_Right); // towards the start of service, in a right-to-left grid
    typeText(&grid(), u"2000"_s);
    press(Qt::Key_Return);
    EXPECT_EQ(grid().currentIndex().row(), 0);
    EXPECT_EQ(grid().currentColumn(), ServesStart - 1);
    // A new worker, typed cell by cell.
    press(Qt::Key_Home, Qt::ControlModifier);
    press(Qt::Key_End, Qt::ControlModifier);
    press(Qt::Key_Down);
    press(Qt::Key_Home);
    for (const QString& typed : {u"Zaid"_s, u"3"_s, u"2023"_s, u"14"_s}) {
        typeText(&grid(), typed);
        press(Qt::Key_Return);
        press(Qt::Key_Left);
    }
    closeByButton();
    const auto stored = storedWorkers();
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(stored[0].begin() + 1, stored[0].begin() + 5),
              (std::vector<std::string>{"W1", "<null>", "2000", "21"}));
    EXPECT_EQ(stored[1][WorkerName], "W2");
    EXPECT_EQ(stored[1][ServesStart], "<null>");
    EXPECT_EQ(std::vector<std::string>(stored[2].begin() + 1, stored[2].begin() + 5),
              (std::vector<std::string>{"Zaid", "3", "2023", "14"}));
}

} // namespace

TEST_F(WorkerEditingWindow, TheHistoryButtonShowsTheChosenWorkersCorrectionsNewestFirstAndMovesNoOtherControl)
{
    testing_support::addWorker(*book, "Ahmad");
    const std::int32_t chosen = testing_support::addWorker(*book, "Salim");
    open();
    const QRect close = window->BitBtn1->geometry();
    EXPECT_EQ(close, QRect(8, 16, 100, 25)) << "the close button stays where it stood";
    EXPECT_EQ(window->BitBtn3->geometry().right(), window->BitBtn3->parentWidget()->width() - 9)
        << "at the right end of the bottom bar";
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    typeText(&grid(), u"21"_s); // Salim's yearly entitlement, typed over

    QStringList rows;
    int currentRow = -1, currentColumn = -1;
    QTimer::singleShot(0, [&] {
        const QTableWidget& shown = *window->FormWorkerHistory->Grid1;
        for (int row = 0; row < shown.rowCount(); ++row)
            rows << shown.item(row, 1)->text() + u" | "_s + shown.item(row, 2)->text() + u" | "_s
                        + shown.item(row, 3)->text() + u" | "_s + shown.item(row, 4)->text();
        currentRow = shown.currentRow();
        currentColumn = shown.currentColumn();
        window->FormWorkerHistory->close();
    });
    QTest::mouseClick(window->BitBtn3, Qt::LeftButton);
    EXPECT_EQ(rows, (QStringList{u"تعديل ذاتية عامل | الإستحقاق السنوي | 14 | 21"_s, u"برنامج الإجازات | نص الساعات | - | "_s,
                                 u"برنامج الإجازات | الإستحقاق السنوي | - | 14"_s, u"برنامج الإجازات | اسم العامل | - | Salim"_s}));
    EXPECT_EQ(currentRow, 0);
    EXPECT_EQ(currentColumn, 0);
    EXPECT_EQ(book->TableMAuto.AsInteger(), chosen) << "the worker chosen stays current";
    EXPECT_EQ(window->BitBtn1->geometry(), close);
}
