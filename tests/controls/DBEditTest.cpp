#include "DBEdit.h"
#include "DBGrid.h"
#include "Pixels.h"
#include "RecordingDialogs.h"
#include "StoreError.h"
#include "TempBook.h"
#include "Typing.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using testing_support::typeText;

namespace {

// A window with a name box, a start-of-service box and a plain box to leave them for,
// over a book of two workers with TableM on the first.
class DBEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        first = testing_support::addWorker(*book, "Ahmad");
        testing_support::addWorker(*book, "Salim");
        book->TableM.First();
        auto* layout = new QVBoxLayout(&window);
        name = new controls::DBEdit(&window, u"DBEdit1"_s, book->DataSourceM, "WorkerName");
        start = new controls::DBEdit(&window, u"DBEdit2"_s, book->DataSourceM, "ServesStart");
        other = new QLineEdit(&window);
        layout->addWidget(name);
        layout->addWidget(start);
        layout->addWidget(other);
        ASSERT_TRUE(testing_support::showActive(window));
    }

    void leaveFor(QWidget* next) { next->setFocus(Qt::TabFocusReason); }

    testing_support::RecordingDialogs boxes;
    testing_support::TempBook folder;
    std::unique_ptr<store::TDataModule1> book = folder.open();
    std::int32_t first = 0;
    QWidget window;
    controls::DBEdit* name = nullptr;
    controls::DBEdit* start = nullptr;
    QLineEdit* other = nullptr;
};

TEST_F(DBEditTest, ShowsTheFieldOfTheRecordTheCursorStandsOn)
{
    EXPECT_EQ(name->text(), u"Ahmad"_s);
    EXPECT_EQ(start->text(), u""_s) << "an empty integer shows as an empty text";
    book->TableM.Next();
    EXPECT_EQ(name->text(), u"Salim"_s);
    EXPECT_EQ(name->maxLength(), 30);
}

TEST_F(DBEditTest, TypingMakesAPendingChangeThatReachesTheFieldOnlyOnLeaving)
{
    name->setFocus(Qt::TabFocusReason);
    typeText(name, u" Ali"_s);
    EXPECT_EQ(book->TableM.State(), store::CursorState::Editing);
    EXPECT_EQ(name->text(), u"Ahmad Ali"_s) << "beginning the change must not wipe the typed key";
    EXPECT_EQ(book->TableMWorkerName.Text(), "Ahmad") << "nothing is handed over before leaving";
    EXPECT_FALSE(book->TableM.Modified());

    QSignalSpy exits(name, &controls::DBEdit::exited);
    leaveFor(other);
    EXPECT_EQ(book->TableMWorkerName.Text(), "Ahmad Ali");
    EXPECT_TRUE(book->TableM.Modified());
    EXPECT_EQ(exits.count(), 1);
    EXPECT_TRUE(boxes.exceptions.isEmpty());
}

TEST_F(DBEditTest, PostingHandsOverTheTypedTextOfABoxStillFocused)
{
    start->setFocus(Qt::TabFocusReason);
    typeText(start, u"2015"_s);
    book->TableM.Post();
    EXPECT_TRUE(start->hasFocus());
    book->TableM.Refresh();
    EXPECT_EQ(book->TableMServesStart.AsInteger(), 2015);
    EXPECT_FALSE(start->changed());
}

TEST_F(DBEditTest, ArabicTypedIntoTheNameBoxIsStoredAsTyped)
{
    name->setFocus(Qt::TabFocusReason);
    name->selectAll();
    typeText(name, u"خالد"_s);
    leaveFor(other);
    book->TableM.Post();
    book->TableM.First();
    EXPECT_EQ(book->TableMWorkerName.Text(), "خالد");
}

TEST_F(DBEditTest, AnIntegerBoxRefusesEveryKeyButSignsAndDigits)
{
    start->setFocus(Qt::TabFocusReason);
    typeText(start, u"2a0.1 x-+9"_s);
    EXPECT_EQ(start->text(), u"201-+9"_s);
    typeText(start, u"٣"_s);
    EXPECT_EQ(start->text(), u"201-+9"_s) << "Arabic-Indic digits are not whole-number characters";
    name->setFocus(Qt::TabFocusReason);
    typeText(name, u"a.1-"_s);
    EXPECT_TRUE(name->text().endsWith(u"a.1-"_s)) << "a text box takes any character";
}

TEST_F(DBEditTest, LeavingWithANonNumberKeepsTheFocusSelectsAllAndShowsTheFieldsMessage)
{
    QSignalSpy exits(start, &controls::DBEdit::exited);
    start->setFocus(Qt::TabFocusReason);
    typeText(start, u"20-15"_s);
    leaveFor(other);
    EXPECT_EQ(boxes.exceptions, QStringList{u"'20-15' is not a valid integer value for field 'ServesStart'"_s});
    EXPECT_TRUE(start->hasFocus());
    EXPECT_EQ(start->selectedText(), u"20-15"_s);
    EXPECT_EQ(exits.count(), 0) << "the box's own exit handler must not run";
    EXPECT_TRUE(book->TableMServesStart.IsNull()) << "the field keeps its value";

    start->selectAll();
    typeText(start, u"+2015"_s);
    leaveFor(other);
    EXPECT_EQ(boxes.exceptions.size(), 1);
    EXPECT_EQ(book->TableMServesStart.AsInteger(), 2015);
    EXPECT_EQ(start->text(), u"2015"_s) << "the box shows the field's own text once it took the number";
    EXPECT_EQ(exits.count(), 1);
}

TEST_F(DBEditTest, AnEmptiedIntegerBoxEmptiesTheField)
{
    book->TableM.Edit();
    book->TableMServesStart.SetAsInteger(2001);
    start->setFocus(Qt::TabFocusReason);
    start->selectAll();
    QTest::keyClick(start, Qt::Key_Backspace);
    leaveFor(other);
    EXPECT_TRUE(book->TableMServesStart.IsNull());
    EXPECT_TRUE(boxes.exceptions.isEmpty());
}

TEST_F(DBEditTest, ANameBoxTakesAtMostThirtyCharacters)
{
    name->setFocus(Qt::TabFocusReason);
    name->selectAll();
    typeText(name, u"abcdefghijklmnopqrstuvwxyz12345"_s);
    EXPECT_EQ(name->text(), u"abcdefghijklmnopqrstuvwxyz1234"_s);
}

TEST_F(DBEditTest, EscapePutsTheFieldsValueBack)
{
    name->setFocus(Qt::TabFocusReason);
    typeText(name, u"zzz"_s);
    QTest::keyClick(name, Qt::Key_Escape);
    EXPECT_EQ(name->text(), u"Ahmad"_s);
    leaveFor(other);
    EXPECT_FALSE(book->TableM.Modified()) << "an undone box hands nothing over";
}

TEST_F(DBEditTest, TextPutInByTheProgramCountsAsAChange)
{
    book->TableM.Insert();
    start->setText(u"14"_s);
    EXPECT_TRUE(start->changed());
    book->TableM.Post();
    EXPECT_EQ(book->TableMServesStart.AsInteger(), 14);
    EXPECT_EQ(book->TableMWorkerName.Text(), "");
}

TEST_F(DBEditTest, TextPutInOnABrowsingRecordBeginsTheChangeAndIsKept)
{
    name->setText(u"Ahmad Hasan"_s);
    EXPECT_EQ(book->TableM.State(), store::CursorState::Editing);
    EXPECT_EQ(name->text(), u"Ahmad Hasan"_s);
    book->TableM.Next(); // settling hands the text over and posts it
    book->TableM.First();
    EXPECT_EQ(book->TableMWorkerName.Text(), "Ahmad Hasan");
}

TEST_F(DBEditTest, ARecordGoneFromTheTableRefusesTheChangeAndTheBoxShowsTheFieldAgain)
{
    {
        auto second = folder.open();
        second->TableM.FindKey(first);
        second->TableM.Delete();
    }
    name->setFocus(Qt::TabFocusReason);
    typeText(name, u"x"_s);
    EXPECT_EQ(boxes.exceptions, QStringList{QString::fromUtf8(store::recordDeletedElsewhere) + u"."_s});
    EXPECT_EQ(name->text(), u"Ahmad"_s);
    EXPECT_EQ(book->TableM.State(), store::CursorState::Browsing);
}

} // namespace

// The worker's name keeps to the right of its box in a right-to-left window, a Latin name
// too, shown or being typed; the same in a grid cell being edited. A figure's right
// alignment is mirrored there: it stands at the left of its box and of its cell.
TEST(RightAlignedNames, ALatinNameKeepsToTheRightOfItsBoxAndOfAnEditedCellAFigureToTheLeft)
{
    testing_support::TempBook folder;
    auto book = folder.open();
    testing_support::addWorker(*book, "Salim");
    book->TableM.First();
    QWidget window;
    window.setLayoutDirection(Qt::RightToLeft);
    auto* name = new controls::DBEdit(&window, u"DBEdit1"_s, book->DataSourceM, "WorkerName");
    name->setGeometry(10, 10, 240, 26);
    auto* years = new controls::DBEdit(&window, u"DBEdit2"_s, book->DataSourceM, "YearPermit");
    years->setGeometry(260, 10, 100, 26);
    auto* grid = new controls::DBGrid(&window, u"DBGrid1"_s, book->DataSourceM,
                                      {{"WorkerName", u"اسم العامل"_s, 240, Qt::white, Qt::blue, {}},
                                       {"YearPermit", u"الإستحقاق"_s, 100, Qt::white, Qt::blue, {}}},
                                      {});
    grid->setGeometry(10, 50, 400, 120);
    ASSERT_TRUE(testing_support::showActive(window));
    auto rightHalf = [](QWidget& shown, const char* when) {
        const auto [first, last] = testing_support::inkColumns(shown.grab().toImage(), 4);
        EXPECT_GT(first, shown.width() / 2) << when << ": ink from " << first << " to " << last;
    };
    rightHalf(*name, "shown");
    const QRect figureCell = grid->visualRect(grid->rows().index(0, 1));
    for (const auto& [shown, part] : {std::pair<QWidget*, QRect>{years, years->rect()}, {grid->viewport(), figureCell}}) {
        const auto [first, last] = testing_support::inkColumns(shown->grab(part).toImage(), 4);
        EXPECT_TRUE(first >= 0 && last < part.width() / 2)
            << shown->objectName().toStdString() << ": ink from " << first << " to " << last;
    }
    name->setFocus(Qt::MouseFocusReason);
    name->end(false);
    typeText(name, u" H"_s);
    rightHalf(*name, "typed into");
    grid->setFocus(Qt::TabFocusReason);
    typeText(grid, u"Sa"_s);
    ASSERT_TRUE(grid->isEditingCell());
    rightHalf(grid->cellEditor(), "edited in the grid");
}
