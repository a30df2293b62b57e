#include "DBGrid.h"
#include "FieldLineEdit.h"
#include "GridCells.h"
#include "GridTitles.h"
#include "Guard.h"
#include "OtherProgram.h"
#include "RecordingDialogs.h"
#include "RowIndicators.h"
#include "TempBook.h"
#include "Typing.h"
#include "UnitOfWork.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyledItemDelegate>
#include <QTest>
#include <QVBoxLayout>

#include <sqlite3.h>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using testing_support::typeText;

namespace {

std::vector<controls::GridColumn> workerColumns()
{
    return {
        {"WorkerName", u"اسم العامل"_s, 195, QColor(0xFF, 0xF0, 0xF0), Qt::blue, store::FieldAlignment::Left},
        {"ServesYears", u"سنوات الخدمة"_s, std::nullopt, QColor(0xFF, 0xFF, 0xF0), Qt::blue, std::nullopt},
        {"ServesStart", u"بداية الخدمة"_s, 65, QColor(0xE8, 0xFF, 0xE8), Qt::blue, std::nullopt},
        {"YearPermit", u"الإستحقاق السنوي"_s, std::nullopt, QColor(0xEA, 0xFF, 0xFF), Qt::blue, std::nullopt},
    };
}

std::size_t storedWorkers(const testing_support::TempBook& folder)
{
    return testing_support::readBook(folder.root())["worker"].size();
}

// A window holding a grid over TableM (editable unless told otherwise) and a plain box to
// leave the grid for, with the model under Qt's model tester throughout.
class GridTest : public ::testing::Test {
protected:
    void build(controls::GridOptions options = {}, store::DataSource* source = nullptr,
               std::vector<controls::GridColumn> columns = workerColumns())
    {
        auto* layout = new QVBoxLayout(&window);
        grid = new controls::DBGrid(&window, u"DBGrid1"_s, source ? *source : book->DataSourceM, std::move(columns),
                                    options);
        other = new QLineEdit(&window);
        layout->addWidget(grid);
        layout->addWidget(other);
        tester = std::make_unique<QAbstractItemModelTester>(&grid->rows(),
                                                            QAbstractItemModelTester::FailureReportingMode::Fatal);
        window.resize(600, 300);
        ASSERT_TRUE(testing_support::showActive(window));
        grid->setFocus(Qt::TabFocusReason);
    }

    void addThreeWorkers()
    {
        keys = {testing_support::addWorker(*book, "Ahmad"), testing_support::addWorker(*book, "Salim"),
                testing_support::addWorker(*book, "Huda")};
        book->TableM.First();
    }

    QString cell(int row, int column) const { return grid->rows().index(row, column).data().toString(); }
    void click(int row, int column)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->rows().index(row, column)).center());
    }
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    }
    std::string storedName(std::int32_t key) const
    {
        auto rows = testing_support::readBook(folder.root())["worker"];
        for (const auto& row : rows)
            if (row[0] == std::to_string(key))
                return row[1];
        return "(gone)";
    }

    testing_support::RecordingDialogs boxes;
    testing_support::TempBook folder;
    std::unique_ptr<store::TDataModule1> book = folder.open();
    std::vector<std::int32_t> keys;
    QWidget window;
    controls::DBGrid* grid = nullptr;
    QLineEdit* other = nullptr;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

TEST_F(GridTest, ShowsOneRowPerRecordWithItsColumnsAndMarksTheCurrentRow)
{
    addThreeWorkers();
    book->TableM.Next();
    build();
    ASSERT_EQ(grid->rows().rowCount(), 3);
    EXPECT_EQ(cell(0, 0), u"Ahmad"_s);
    EXPECT_EQ(cell(2, 0), u"Huda"_s);
    EXPECT_EQ(cell(1, 3), u"14"_s);
    EXPECT_EQ(cell(1, 2), u""_s);
    EXPECT_EQ(grid->rows().cursorRow(), 1);
    EXPECT_EQ(grid->currentIndex().row(), 1);
    EXPECT_FALSE(grid->rows().headerData(1, Qt::Vertical).toString().isEmpty());
    EXPECT_TRUE(grid->rows().headerData(0, Qt::Vertical).toString().isEmpty());
    EXPECT_EQ(grid->rows().headerData(3, Qt::Horizontal).toString(), u"الإستحقاق السنوي"_s);
    EXPECT_EQ(grid->rows().headerData(0, Qt::Horizontal, Qt::ForegroundRole).value<QColor>(), QColor(Qt::blue));
    EXPECT_EQ(grid->columnWidth(0), 195);
    EXPECT_EQ(grid->columnWidth(2), 65);
    EXPECT_EQ(grid->rows().index(0, 2).data(Qt::BackgroundRole).value<QColor>(), QColor(0xE8, 0xFF, 0xE8));
    EXPECT_EQ(grid->rows().index(0, 0).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask,
              Qt::AlignLeft);
    EXPECT_EQ(grid->rows().index(0, 3).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask,
              Qt::AlignRight)
        << "a column without its own alignment takes its field's: a figure's, mirrored in a right-to-left grid";
    EXPECT_EQ(grid->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
}

TEST_F(GridTest, ClicksAndKeysMoveTheCursorAndTheCursorMovesTheCurrentRow)
{
    addThreeWorkers();
    build();
    click(2, 0);
    EXPECT_EQ(book->TableMAuto.AsInteger(), keys[2]);
    press(Qt::Key_Up);
    EXPECT_EQ(book->TableMAuto.AsInteger(), keys[1]);
    press(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(book->TableMAuto.AsInteger(), keys[0]);
    EXPECT_TRUE(book->TableM.Bof());
    press(Qt::Key_Up);
    EXPECT_EQ(book->TableMAuto.AsInteger(), keys[0]);
    book->TableM.Last();
    EXPECT_EQ(grid->currentIndex().row(), 2);
    press(Qt::Key_PageUp);
    EXPECT_EQ(book->TableMAuto.AsInteger(), keys[0]);
}

TEST_F(GridTest, DownOnTheLastRowAppendsAndUpBeforeTypingDropsTheNewRow)
{
    addThreeWorkers();
    book->TableM.Last();
    build();
    press(Qt::Key_Down);
    EXPECT_EQ(book->TableM.State(), store::CursorState::Inserting);
    EXPECT_TRUE(book->TableM.Appended());
    EXPECT_EQ(grid->rows().rowCount(), 4);
    EXPECT_EQ(grid->currentIndex().row(), 3);
    press(Qt::Key_Down);
    EXPECT_EQ(grid->rows().rowCount(), 4) << "a second Down on an untouched new row adds no other";
    press(Qt::Key_Up);
    EXPECT_EQ(book->TableM.State(), store::CursorState::Browsing);
    EXPECT_EQ(grid->rows().rowCount(), 3);
    EXPECT_EQ(book->TableMAuto.AsInteger(), keys[2]);
    EXPECT_EQ(storedWorkers(folder), 3u);
}

TEST_F(GridTest, TypingIntoACellEditsTheRecordAndEnterPutsTheTextIntoItsField)
{
    addThreeWorkers();
    build();
    typeText(grid, u"Ali"_s);
    ASSERT_TRUE(grid->isEditingCell());
    EXPECT_EQ(grid->cellEditor().text(), u"Ali"_s) << "typing replaces the cell";
    EXPECT_EQ(book->TableM.State(), store::CursorState::Editing);
    EXPECT_EQ(book->TableMWorkerName.Text(), "Ahmad");
    press(Qt::Key_Return);
    EXPECT_EQ(book->TableMWorkerName.Text(), "Ali");
    EXPECT_FALSE(grid->isEditingCell());
    EXPECT_EQ(storedName(keys[0]), "Ahmad") << "the grid does not post on Enter";
    press(Qt::Key_Down);
    EXPECT_EQ(storedName(keys[0]), "Ali");
    EXPECT_EQ(cell(0, 0), u"Ali"_s);
}

TEST_F(GridTest, MovingOffARowWithTheCellStillOpenHandsItsTextOverAndPostsIt)
{
    addThreeWorkers();
    build();
    press(Qt::Key_Tab);
    typeText(grid, u"7"_s);
    click(2, 0);
    EXPECT_EQ(book->TableMAuto.AsInteger(), keys[2]);
    EXPECT_EQ(cell(0, 1), u"7"_s);
    EXPECT_EQ(testing_support::readBook(folder.root())["worker"][0][2], "7");
}

TEST_F(GridTest, AnIntegerCellRefusesLettersAndANonNumberIsReportedWithTheCellKeptOpen)
{
    addThreeWorkers();
    build();
    press(Qt::Key_Tab);
    typeText(grid, u"1a2"_s);
    EXPECT_EQ(grid->cellEditor().text(), u"12"_s);
    grid->cellEditor().selectAll();
    typeText(&grid->cellEditor(), u"1-"_s);
    press(Qt::Key_Return);
    EXPECT_EQ(boxes.exceptions, QStringList{u"'1-' is not a valid integer value for field 'ServesYears'"_s});
    EXPECT_TRUE(grid->isEditingCell());
    EXPECT_TRUE(grid->cellEditor().hasFocus());
    EXPECT_EQ(grid->cellEditor().selectedText(), u"1-"_s);
    press(Qt::Key_Down);
    EXPECT_EQ(book->TableMAuto.AsInteger(), keys[0]) << "a refused cell stops the move";
    EXPECT_EQ(book->TableM.State(), store::CursorState::Editing) << "the pending change stays";
}

TEST_F(GridTest, TheNameCellTakesAtMostThirtyCharacters)
{
    addThreeWorkers();
    build();
    typeText(grid, u"abcdefghijklmnopqrstuvwxyz12345"_s);
    EXPECT_EQ(grid->cellEditor().text(), u"abcdefghijklmnopqrstuvwxyz1234"_s);
}

TEST_F(GridTest, InsertBeginsARecordBeforeTheCurrentRowAndLeavingTheGridUntouchedDropsIt)
{
    addThreeWorkers();
    book->TableM.Next();
    build();
    press(Qt::Key_Insert);
    EXPECT_EQ(book->TableM.State(), store::CursorState::Inserting);
    EXPECT_EQ(grid->rows().rowCount(), 4);
    EXPECT_EQ(grid->currentIndex().row(), 1);
    EXPECT_EQ(cell(2, 0), u"Salim"_s);
    other->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(book->TableM.State(), store::CursorState::Browsing);
    EXPECT_EQ(grid->rows().rowCount(), 3);
    EXPECT_EQ(book->TableMAuto.AsInteger(), keys[1]);
    EXPECT_EQ(storedWorkers(folder), 3u);
}

TEST_F(GridTest, ANewRowTypedIntoIsKeptPendingWhenTheGridIsLeftAndSortsLastOncePosted)
{
    addThreeWorkers();
    build();
    press(Qt::Key_Insert);
    typeText(grid, u"Zaid"_s);
    other->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(book->TableM.State(), store::CursorState::Inserting);
    EXPECT_EQ(book->TableMWorkerName.Text(), "Zaid");
    book->TableM.Post();
    EXPECT_EQ(grid->rows().rowCount(), 4);
    EXPECT_EQ(cell(3, 0), u"Zaid"_s);
    EXPECT_EQ(grid->currentIndex().row(), 3);
}

TEST_F(GridTest, EscapeFirstUndoesTheTypingThenDropsThePendingChange)
{
    addThreeWorkers();
    build();
    typeText(grid, u"Ali"_s);
    press(Qt::Key_Return);
    press(Qt::Key_Tab);
    typeText(grid, u"9"_s);
    press(Qt::Key_Escape);
    EXPECT_EQ(grid->cellEditor().text(), u""_s);
    EXPECT_EQ(book->TableM.State(), store::CursorState::Editing);
    EXPECT_EQ(book->TableMWorkerName.Text(), "Ali");
    press(Qt::Key_Escape);
    EXPECT_EQ(book->TableM.State(), store::CursorState::Browsing);
    EXPECT_EQ(book->TableMWorkerName.Text(), "Ahmad");
    EXPECT_EQ(cell(0, 0), u"Ahmad"_s);
}

TEST_F(GridTest, CtrlDeleteAsksAndDeletesOnlyOnOk)
{
    addThreeWorkers();
    book->TableM.Next();
    build();
    boxes.answerDelete = false;
    press(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(boxes.deleteQuestions, 1);
    EXPECT_EQ(storedWorkers(folder), 3u);
    boxes.answerDelete = true;
    press(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(storedWorkers(folder), 2u);
    EXPECT_EQ(grid->rows().rowCount(), 2);
    EXPECT_EQ(book->TableMAuto.AsInteger(), keys[2]);
    EXPECT_EQ(grid->currentIndex().row(), 1);
}

TEST_F(GridTest, TypingIntoAnEmptyGridBeginsANewRecord)
{
    build();
    EXPECT_EQ(grid->rows().rowCount(), 0);
    typeText(grid, u"خالد"_s);
    EXPECT_EQ(book->TableM.State(), store::CursorState::Inserting);
    EXPECT_EQ(grid->rows().rowCount(), 1);
    EXPECT_EQ(grid->cellEditor().text(), u"خالد"_s);
    press(Qt::Key_Tab);
    typeText(grid, u"21"_s);
    press(Qt::Key_Return);
    book->TableM.Post();
    EXPECT_EQ(testing_support::readBook(folder.root())["worker"].at(0)[1], "خالد");
    EXPECT_EQ(testing_support::readBook(folder.root())["worker"].at(0)[2], "21");
}

TEST_F(GridTest, TabGoesCellByCellAndPastTheLastCellAppends)
{
    addThreeWorkers();
    book->TableM.Last();
    build();
    for (int column = 1; column < 4; ++column) {
        press(Qt::Key_Tab);
        EXPECT_EQ(grid->currentColumn(), column);
    }
    press(Qt::Key_Tab);
    EXPECT_EQ(book->TableM.State(), store::CursorState::Inserting);
    EXPECT_EQ(grid->currentColumn(), 0);
    EXPECT_TRUE(grid->hasFocus()) << "Tab never leaves the grid";
    press(Qt::Key_Backtab);
    EXPECT_EQ(book->TableM.State(), store::CursorState::Browsing);
    EXPECT_EQ(grid->currentColumn(), 3);
    EXPECT_EQ(book->TableMAuto.AsInteger(), keys[2]);
}

TEST_F(GridTest, AReadOnlyGridIgnoresTypingAndTabsFromRowToRowStayingAtTheEnd)
{
    addThreeWorkers();
    build({.readOnly = true, .wholeRows = true}, nullptr, {workerColumns().front()});
    QSignalSpy released(grid, &controls::DBGrid::keyReleased);
    QSignalSpy clicked(grid, &controls::DBGrid::cellClicked);
    typeText(grid, u"S"_s);
    EXPECT_FALSE(grid->isEditingCell());
    EXPECT_EQ(book->TableM.State(), store::CursorState::Browsing);
    EXPECT_EQ(book->TableMAuto.AsInteger(), keys[0]) << "typing does not search";
    for (int n = 0; n < 4; ++n)
        press(Qt::Key_Tab);
    EXPECT_EQ(book->TableMAuto.AsInteger(), keys[2]);
    EXPECT_EQ(book->TableM.State(), store::CursorState::Browsing);
    EXPECT_TRUE(grid->hasFocus());
    press(Qt::Key_Insert);
    press(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(boxes.deleteQuestions, 0);
    EXPECT_EQ(grid->rows().rowCount(), 3);
    int tabsReleased = 0;
    for (const QList<QVariant>& key : released)
        tabsReleased += key.at(0).toInt() == Qt::Key_Tab;
    EXPECT_EQ(tabsReleased, 4) << "every key's release is told, Tab's too";
    click(1, 0);
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(book->TableMAuto.AsInteger(), keys[1]);
    EXPECT_EQ(grid->selectionModel()->selectedRows().size(), 1);
}

TEST_F(GridTest, AWorkerAddedThroughTheOtherWorkerCursorShowsAtTheGridsNextMove)
{
    addThreeWorkers();
    book->TableMWN.First();
    build({.readOnly = true, .wholeRows = true}, &book->DataSourceMWN);
    EXPECT_EQ(cell(0, 0), u"Ahmad"_s);
    EXPECT_EQ(cell(1, 0), u"Huda"_s) << "the name cursor's grid lists by name";
    testing_support::addWorker(*book, "Bilal");
    book->TableMWN.FindNearest("B");
    EXPECT_EQ(grid->rows().rowCount(), 4);
    EXPECT_EQ(cell(1, 0), u"Bilal"_s);
    EXPECT_EQ(grid->currentIndex().row(), 1);
}

TEST_F(GridTest, AnEntryGridFollowsItsWorkerThroughTheMasterLink)
{
    addThreeWorkers();
    testing_support::addEntry(book->TablePermitAdmin, "AdministrationPermit", 3);
    testing_support::addEntry(book->TablePermitAdmin, "AdministrationPermit", 5);
    auto* layout = new QVBoxLayout(&window);
    auto* entries = new controls::DBGrid(&window, u"DBGrid2"_s, book->DataSourcePermitAdmin,
                                         {{"AdministrationPermit", u"عدد الأيام"_s, 60, {}, {}, {}}},
                                         {.readOnly = true});
    layout->addWidget(entries);
    QAbstractItemModelTester check(&entries->rows(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    ASSERT_TRUE(testing_support::showActive(window));
    EXPECT_EQ(entries->rows().rowCount(), 2);
    EXPECT_EQ(entries->rows().index(1, 0).data().toString(), u"5"_s);
    book->TableM.Next();
    EXPECT_EQ(entries->rows().rowCount(), 0);
    book->TableM.First();
    EXPECT_EQ(entries->rows().rowCount(), 2);
}

TEST(GridOverALargeTable, ReadsOnlyTheRowsItShows)
{
    testing_support::TempBook folder;
    auto book = folder.open();
    {
        store::UnitOfWork work = book->beginWork(store::bookAction::administrative);
        for (int n = 0; n < 3000; ++n) {
            book->TableM.Insert();
            book->TableMWorkerName.SetText("worker " + std::to_string(n));
            book->TableM.Post();
        }
        work.commit();
    }
    book->TableM.First();
    QWidget window;
    auto* grid = new controls::DBGrid(&window, u"DBGrid1"_s, book->DataSourceM, workerColumns(), {});
    window.resize(600, 300);
    grid->resize(600, 300);
    ASSERT_TRUE(testing_support::showActive(window));
    QApplication::processEvents();
    EXPECT_EQ(grid->rows().rowCount(), 3000);
    EXPECT_LT(grid->rows().recordsRead(), 40);
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(grid->rows().index(2999, 0).data().toString(), u"worker 2999"_s);
    EXPECT_LT(grid->rows().recordsRead(), 80);
}

} // namespace

namespace {

TEST_F(GridTest, TitlesTooLongForTheirColumnShowTheirBeginningAndTheMarkedColumnIsWhereTypingGoes)
{
    window.setLayoutDirection(Qt::RightToLeft);
    build();
    auto& titles = static_cast<controls::GridTitles&>(*grid->horizontalHeader());
    EXPECT_EQ(titles.shownTitle(0), u"اسم العامل"_s) << "a title that fits is whole";
    for (int column : {1, 2, 3}) {
        grid->setColumnWidth(column, 45);
        const QString title = grid->rows().headerData(column, Qt::Horizontal).toString();
        QString shown = titles.shownTitle(column);
        ASSERT_TRUE(shown.endsWith(u'…')) << column;
        shown.chop(1);
        if (shown.endsWith(QChar(0x200D))) // the joiner that keeps the last letter's shape
            shown.chop(1);
        EXPECT_GE(shown.size(), 3) << "more than the mark is left";
        EXPECT_TRUE(title.startsWith(shown)) << column << ": " << shown.toStdString();
    }
    EXPECT_EQ(grid->rows().rowCount(), 0);
    EXPECT_EQ(titles.markedSection(), 0);
    press(Qt::Key_Left); // the next column, in a right-to-left grid
    EXPECT_EQ(grid->currentColumn(), 1);
    EXPECT_EQ(titles.markedSection(), 1);
    typeText(grid, u"a"_s);
    EXPECT_EQ(book->TableM.State(), store::CursorState::Browsing) << "a refused letter begins no worker";
    EXPECT_FALSE(grid->isEditingCell());
    typeText(grid, u"7"_s);
    EXPECT_EQ(book->TableM.State(), store::CursorState::Inserting);
    EXPECT_EQ(grid->cellEditor().text(), u"7"_s);
    EXPECT_EQ(grid->currentIndex().column(), 1);
}

} // namespace

namespace {

using testing_support::OtherProgram;

TEST_F(GridTest, ListsShowWhatAnotherProgramChangedWhenShownAgainOrMovedIn)
{
    addThreeWorkers();
    book->TableMWN.First();
    build({.readOnly = true, .wholeRows = true}, &book->DataSourceMWN);
    OtherProgram desk(folder.root());
    desk.run("INSERT INTO worker (WorkerName) VALUES ('Bilal')");
    window.hide();
    ASSERT_TRUE(testing_support::showActive(window));
    EXPECT_EQ(grid->rows().rowCount(), 4) << "shown again";
    EXPECT_EQ(cell(1, 0), u"Bilal"_s);
    desk.run("UPDATE worker SET WorkerName = 'Ahmad Nouri' WHERE WorkerName = 'Ahmad';"
              "DELETE FROM worker WHERE WorkerName = 'Huda'");
    grid->setFocus();
    press(Qt::Key_Down);
    EXPECT_EQ(grid->rows().rowCount(), 3) << "moved in";
    EXPECT_EQ(cell(0, 0), u"Ahmad Nouri"_s);
    EXPECT_EQ(cell(2, 0), u"Salim"_s);
    EXPECT_EQ(grid->currentIndex().row(), 1);
    EXPECT_EQ(book->TableMWNWorkerName.Text(), "Bilal");
}

TEST_F(GridTest, ALockHeldElsewhereCostsOneWaitAndOneMessageEachActionAndTheListKeepsItsRows)
{
    book.reset();
    book = folder.open({"", 200});
    addThreeWorkers();
    build();
    QApplication::processEvents();
    OtherProgram desk(folder.root());
    desk.run("INSERT INTO worker (WorkerName) VALUES ('unseen')");
    desk.run("BEGIN EXCLUSIVE; UPDATE worker SET NoHire = 1");
    const int waitsBefore = book->connection().busyWaitsGivenUp();
    press(Qt::Key_Down);
    QApplication::processEvents();
    EXPECT_EQ(book->connection().busyWaitsGivenUp(), waitsBefore + 1);
    EXPECT_EQ(boxes.exceptions.size(), 1) << boxes.exceptions.join(u'\n').toStdString();
    EXPECT_TRUE(boxes.exceptions.value(0).contains(u"locked"_s));
    for (int row = 0; row < 3; ++row)
        EXPECT_FALSE(cell(row, 0).isEmpty()) << row;
    EXPECT_EQ(grid->currentIndex().row(), 0);
    EXPECT_EQ(grid->currentColumn(), 0);
    QPushButton opener; // the clerk shows the list again, still locked out
    controls::connectGuarded(&opener, &QPushButton::clicked, &opener, [this] {
        window.hide();
        window.show();
    });
    opener.show();
    QTest::mouseClick(&opener, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(book->connection().busyWaitsGivenUp(), waitsBefore + 2);
    EXPECT_EQ(boxes.exceptions.size(), 2) << boxes.exceptions.join(u'\n').toStdString();
    EXPECT_EQ(grid->rows().rowCount(), 3);
    for (int row = 0; row < 3; ++row)
        EXPECT_FALSE(cell(row, 0).isEmpty()) << row;
    desk.run("ROLLBACK");
    press(Qt::Key_Down);
    EXPECT_EQ(grid->rows().rowCount(), 4);
    EXPECT_EQ(grid->currentIndex().row(), 1);
    EXPECT_EQ(grid->currentColumn(), 0);
    EXPECT_EQ(cell(3, 0), u"unseen"_s);
    EXPECT_EQ(boxes.exceptions.size(), 2);
}

} // namespace

namespace {

TEST_F(GridTest, AShownListTakesInTheRowsItsCursorWritesAndAHiddenOneReadsNothingUntilShown)
{
    addThreeWorkers();
    build();
    const std::int64_t keyReads = grid->rows().keyReads();
    book->TableM.Next();
    book->TableM.Edit();
    book->TableMYearPermit.SetAsInteger(21);
    book->TableM.Post();
    EXPECT_EQ(cell(1, 3), u"21"_s);
    const std::int32_t added = testing_support::addWorker(*book, "Zaid");
    ASSERT_EQ(grid->rows().rowCount(), 4);
    EXPECT_EQ(cell(3, 0), u"Zaid"_s);
    EXPECT_EQ(grid->currentIndex().row(), 3);
    book->TableM.First();
    book->TableM.Delete();
    ASSERT_EQ(grid->rows().rowCount(), 3);
    EXPECT_EQ(cell(0, 0), u"Salim"_s);
    EXPECT_EQ(grid->currentIndex().row(), 0);
    EXPECT_EQ(grid->currentColumn(), 0);
    EXPECT_EQ(grid->rows().keyReads(), keyReads) << "no write of its own cursor reads every key again";

    window.hide();
    for (int n = 0; n < 5; ++n)
        testing_support::addWorker(*book, "hidden " + std::to_string(n));
    book->TableM.FindKey(added);
    EXPECT_EQ(grid->rows().keyReads(), keyReads) << "a list nobody sees reads nothing";
    ASSERT_TRUE(testing_support::showActive(window));
    EXPECT_EQ(grid->rows().keyReads(), keyReads + 1) << "and catches up in one read when shown";
    EXPECT_EQ(grid->rows().rowCount(), 8);
    EXPECT_EQ(grid->currentIndex().row(), 2);
    EXPECT_EQ(cell(2, 0), u"Zaid"_s);
}

} // namespace

namespace {

TEST_F(GridTest, ANegativeFigureKeepsItsSignFirstInTheCellAndInTheBoxItIsTypedIn)
{
    window.setLayoutDirection(Qt::RightToLeft);
    testing_support::addWorker(*book, "Ahmad", -5);
    build();
    const QModelIndex entitlement = grid->rows().index(0, 3);
    EXPECT_EQ(entitlement.data().toString(), u"-5"_s) << "the value itself is untouched";
    const auto* cells = qobject_cast<QStyledItemDelegate*>(grid->itemDelegate());
    ASSERT_NE(cells, nullptr);
    const QString shown = cells->displayText(entitlement.data(), QLocale());
    EXPECT_EQ(shown, QChar(0x2066) + u"-5"_s + QChar(0x2069)) << "isolated left to right: never 5-";
    // Figures and hours texts left to right; names, whatever they start or end with, in their own direction.
    const QChar leftToRight(0x2066), ownWay(0x2068);
    for (const auto& [text, isolate] : std::vector<std::pair<QString, QChar>>{
             {u"-2.-3"_s, leftToRight}, {u"+7"_s, leftToRight}, {u"-Ali"_s, ownWay}, {u"+972 salim"_s, ownWay},
             {u"=1+1"_s, ownWay}, {u"سالم-"_s, ownWay}, {u"1.5 يوم"_s, ownWay}})
        EXPECT_EQ(cells->displayText(text, QLocale()), isolate + text + QChar(0x2069)) << text.toStdString();
    grid->setCurrentIndex(entitlement);
    press(Qt::Key_End);
    press(Qt::Key_F2);
    ASSERT_TRUE(grid->isEditingCell());
    EXPECT_EQ(grid->cellEditor().layoutDirection(), Qt::LeftToRight);
    EXPECT_EQ(grid->cellEditor().text(), u"-5"_s);
    EXPECT_EQ(grid->currentColumn(), 3);
}

// The grid's cells and row marks as painted straight onto the grid, none kept.
class CellsDrawnAnew : public controls::GridCells {
public:
    using GridCells::GridCells;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
    }
};
class MarksDrawnAnew : public controls::RowIndicators {
public:
    using RowIndicators::RowIndicators;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override
    {
        QHeaderView::paintSection(painter, rect, logicalIndex);
    }
};

TEST_F(GridTest, CellsAndRowMarksKeptFromAnEarlierPaintingShowWhatPaintingThemAnewShowsToThePixel)
{
    window.setLayoutDirection(Qt::RightToLeft);
    for (const char* name : {"أحمد عبد الله الحلبي", "سالم", "هدى"})
        testing_support::addWorker(*book, name);
    book->TableM.First();
    build();
    const auto shown = [this](bool kept) {
        const QHeaderView& marks = *grid->verticalHeader();
        if (kept) {
            grid->setItemDelegate(new controls::GridCells(grid));
            grid->setVerticalHeader(new controls::RowIndicators(grid, marks.width(), marks.defaultSectionSize()));
        } else {
            grid->setItemDelegate(new CellsDrawnAnew(grid));
            grid->setVerticalHeader(new MarksDrawnAnew(grid, marks.width(), marks.defaultSectionSize()));
        }
        grid->verticalHeader()->show();
        grid->grab(); // kept, if not yet
        // Painted on the grid's own pixels and on pixels of another format, as a screen's may be.
        QImage opaque(grid->size(), QImage::Format_RGB32);
        grid->render(&opaque);
        return std::pair(grid->grab().toImage(), opaque);
    };
    const std::vector<std::pair<const char*, std::function<void()>>> steps = {
        {"first row current", [] {}},
        {"third row current", [this] {
             press(Qt::Key_Down);
             press(Qt::Key_Down);
         }},
        {"its name being changed", [this] {
             book->TableM.Edit();
             book->TableMWorkerName.SetAsString("هدى أحمد");
         }},
        {"its name changed", [this] { book->TableM.Post(); }},
        {"a row begun", [this] { press(Qt::Key_Insert); }},
        {"the grid left", [this] { other->setFocus(); }},
    };
    for (const auto& [step, take] : steps) {
        take();
        const auto anew = shown(false);
        const auto kept = shown(true);
        EXPECT_EQ(kept.first, anew.first) << step;
        EXPECT_EQ(kept.second, anew.second) << step;
        EXPECT_EQ(grid->currentIndex().row(), grid->rows().cursorRow()) << step;
    }
    EXPECT_EQ(grid->currentIndex().row(), 2);
    EXPECT_EQ(grid->currentIndex().column(), 0);
}

} // namespace
