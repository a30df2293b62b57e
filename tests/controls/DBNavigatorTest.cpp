#include "DBGrid.h"
#include "DBNavigator.h"
#include "FieldLineEdit.h"
#include "RecordingDialogs.h"
#include "TempBook.h"
#include "Typing.h"

#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using controls::NavigatorButton;

namespace {

// Which of the ten buttons are enabled, first to refresh, as a string of 1s and 0s.
std::string enabled(const controls::DBNavigator& navigator)
{
    std::string shown;
    for (int n = 0; n < 10; ++n)
        shown += navigator.button(NavigatorButton(n))->isEnabled() ? '1' : '0';
    return shown;
}

class NavigatorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        navigator = new controls::DBNavigator(&window, u"DBNavigator1"_s, book->DataSourceM);
        navigator->setGeometry(0, 0, 472, 21);
        window.setLayoutDirection(Qt::RightToLeft);
        window.resize(472, 285);
    }

    void pressButton(NavigatorButton which) { navigator->button(which)->click(); }

    testing_support::RecordingDialogs boxes;
    testing_support::TempBook folder;
    std::unique_ptr<store::TDataModule1> book = folder.open();
    QWidget window;
    controls::DBNavigator* navigator = nullptr;
};

TEST_F(NavigatorTest, OnAnEmptyTableOnlyInsertEditAndRefreshAreEnabled)
{
    //                             F P N L I D E P C R
    EXPECT_EQ(enabled(*navigator), "0000101001");
    pressButton(NavigatorButton::Edit);
    EXPECT_EQ(book->TableM.State(), store::CursorState::Inserting) << "editing an empty table makes a new record";
    EXPECT_EQ(enabled(*navigator), "0000110111");
}

TEST_F(NavigatorTest, TheMoveButtonsFollowTheBeginningAndTheEndAndTheChangeButtonsThePendingChange)
{
    for (const char* name : {"Ahmad", "Salim", "Huda"})
        testing_support::addWorker(*book, name);
    book->TableM.First();
    EXPECT_EQ(enabled(*navigator), "0011111001");
    pressButton(NavigatorButton::Next);
    EXPECT_EQ(book->TableMWorkerName.Text(), "Salim");
    EXPECT_EQ(enabled(*navigator), "1111111001");
    pressButton(NavigatorButton::Last);
    EXPECT_EQ(book->TableMWorkerName.Text(), "Huda");
    EXPECT_EQ(enabled(*navigator), "1100111001");
    pressButton(NavigatorButton::Edit);
    EXPECT_EQ(enabled(*navigator), "1100110111");
    book->TableMYearPermit.SetAsInteger(21);
    pressButton(NavigatorButton::Post);
    EXPECT_EQ(book->TableM.State(), store::CursorState::Browsing);
    EXPECT_EQ(testing_support::readBook(folder.root())["worker"].at(2)[4], "21");
    pressButton(NavigatorButton::Insert);
    pressButton(NavigatorButton::Cancel);
    EXPECT_EQ(book->TableMWorkerName.Text(), "Huda");
    pressButton(NavigatorButton::First);
    pressButton(NavigatorButton::Prior);
    EXPECT_EQ(book->TableMWorkerName.Text(), "Ahmad");
}

TEST_F(NavigatorTest, DeleteAsksFirstAndRefreshReadsWhatAnotherProgramWrote)
{
    const std::int32_t first = testing_support::addWorker(*book, "Ahmad");
    testing_support::addWorker(*book, "Salim");
    book->TableM.First();
    boxes.answerDelete = false;
    pressButton(NavigatorButton::Delete);
    EXPECT_EQ(boxes.deleteQuestions, 1);
    EXPECT_EQ(testing_support::readBook(folder.root())["worker"].size(), 2u);
    boxes.answerDelete = true;
    pressButton(NavigatorButton::Delete);
    EXPECT_EQ(testing_support::readBook(folder.root())["worker"].size(), 1u);
    EXPECT_EQ(book->TableMWorkerName.Text(), "Salim");
    EXPECT_NE(book->TableMAuto.AsInteger(), first);

    {
        auto other = folder.open();
        other->TableM.Edit();
        other->TableMWorkerName.SetText("Salim Nouri");
        other->TableM.Post();
    }
    pressButton(NavigatorButton::Refresh);
    EXPECT_EQ(book->TableMWorkerName.Text(), "Salim Nouri");
}

TEST_F(NavigatorTest, TheTenButtonsStandLeftToRightSharingTheWidthAndNeverTakeTheFocus)
{
    window.show();
    int x = 0;
    for (int n = 0; n < 10; ++n) {
        const QToolButton* shown = navigator->button(NavigatorButton(n));
        EXPECT_EQ(shown->x(), x) << "button " << n;
        EXPECT_NEAR(shown->width(), 47, 1);
        EXPECT_EQ(shown->height(), 21);
        EXPECT_EQ(shown->focusPolicy(), Qt::NoFocus);
        EXPECT_FALSE(shown->icon().isNull());
        x += shown->width();
    }
    EXPECT_EQ(x, 472);
}

TEST_F(NavigatorTest, PostTakesTheTextOfAGridCellStillBeingTyped)
{
    testing_support::addWorker(*book, "Ahmad");
    book->TableM.First();
    auto* grid = new controls::DBGrid(&window, u"DBGrid1"_s, book->DataSourceM,
                                      {{"WorkerName", u"اسم العامل"_s, 195, {}, {}, {}}}, {});
    grid->setGeometry(0, 21, 472, 264);
    ASSERT_TRUE(testing_support::showActive(window));
    grid->setFocus();
    testing_support::typeText(grid, u"Amal"_s);
    pressButton(NavigatorButton::Post);
    EXPECT_TRUE(boxes.exceptions.isEmpty());
    EXPECT_EQ(testing_support::readBook(folder.root())["worker"].at(0)[1], "Amal");
    EXPECT_FALSE(grid->isEditingCell());
}

} // namespace
