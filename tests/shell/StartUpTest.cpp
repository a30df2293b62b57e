#include "BuiltOnFirstNeed.h"
#include "DataModule.h"
#include "DBGrid.h"
#include "FaultVfs.h"
#include "ReadOnlyNotice.h"
#include "TempBook.h"
#include "RecordingDialogs.h"
#include "Schema.h"
#include "OldTables.h"
#include "StartUp.h"
#include "TableSetup.h"
#include "Unit2.h"
#include "Unitallworkerchang.h"
#include "Unitmain.h"
#include "Unitnew.h"

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>

#include <sqlite3.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

struct DataRoot : ::testing::Test {
    // The data root in a folder of its own, so the backups beside it go too.
    std::filesystem::path root =
        std::filesystem::temp_directory_path() / ("ijazat-shell-" + std::to_string(getpid())) / "Data";
    std::filesystem::path backups = root.parent_path() / "Backups";
    testing_support::RecordingDialogs boxes;
    void SetUp() override
    {
        std::filesystem::remove_all(root.parent_path());
        store::createMissingTables(root);
    }
    void TearDown() override { std::filesystem::remove_all(root.parent_path()); }

    // Starts the program and runs `whileOpen` once its main window is up; then closes it.
    int runWithMainWindow(std::function<void()> whileOpen)
    {
        QTimer::singleShot(0, [whileOpen] {
            whileOpen();
            FormMain->close();
        });
        return startUp(root);
    }
};

bool anyWindowVisible()
{
    for (const QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible())
            return true;
    return false;
}

} // namespace

TEST_F(DataRoot, AMissingTableShowsOneExceptionBoxAndNoMainWindow)
{
    for (const store::TableDef* table : store::allTables()) {
        SCOPED_TRACE(std::string(table->name));
        SetUp();
        boxes.exceptions.clear();
        std::filesystem::remove_all(root / std::string(table->directory));
        bool shown = false;
        QTimer::singleShot(0, [&] { shown = anyWindowVisible(); });
        EXPECT_EQ(startUp(root), 0);
        QCoreApplication::processEvents();
        EXPECT_FALSE(shown);
        ASSERT_EQ(boxes.exceptions.size(), 1);
        EXPECT_TRUE(boxes.exceptions.front().contains(QString::fromStdString(table->pathUnder(root).string())));
        // The engine's own text closes the message in brackets, and ")" takes no "." after it.
        EXPECT_TRUE(boxes.exceptions.front().endsWith(u")"_s)) << boxes.exceptions.front().toStdString();
        EXPECT_EQ(FormMain, nullptr) << "everything built is released";
    }
}

TEST_F(DataRoot, TheOldProgramsTablesAtTheDataRootAreToldWithTheCommandThatMovesThemIn)
{
    testing_support::writeOldTable(store::workerTable().pathUnder(root), testing_support::oldLayout(store::workerTable()), {});
    EXPECT_EQ(startUp(root), 0);
    ASSERT_EQ(boxes.exceptions.size(), 1);
    EXPECT_TRUE(boxes.exceptions.front().contains(QString::fromStdString("ijazat-book move-in " + root.string())))
        << boxes.exceptions.front().toStdString();
    EXPECT_EQ(FormMain, nullptr) << "the program is not opened on them";
}

TEST_F(DataRoot, APageFoundDamagedOnceTheWindowShowsIsToldOnceAndTheProgramEndsHavingWrittenNothing)
{
    testing_support::damageAPageNoOpeningReads(root, store::permitHoursTable());
    bool shown = false, postingRefused = false;
    QTimer::singleShot(0, [&] {
        shown = FormMain && FormMain->isVisible();
        // Posting before the answer waits for it, and is refused.
        postingRefused = testing_support::thrownBy([] { testing_support::addWorker(*store::DataModule1, "Zaid"); })
                             .find("تالف")
                         != std::string::npos;
    });
    QTimer neverTold;
    neverTold.setSingleShot(true);
    QObject::connect(&neverTold, &QTimer::timeout, [] { FormMain->close(); });
    neverTold.start(20000);
    EXPECT_EQ(startUp(root), 0);
    EXPECT_TRUE(neverTold.isActive()) << "it ended by itself";
    EXPECT_TRUE(shown);
    EXPECT_TRUE(postingRefused);
    ASSERT_EQ(boxes.exceptions.size(), 1);
    EXPECT_TRUE(boxes.exceptions.front().contains(QString::fromStdString(store::permitHoursTable().pathUnder(root).string())))
        << boxes.exceptions.front().toStdString();
    EXPECT_TRUE(testing_support::readBook(root).at("worker").empty());
    EXPECT_FALSE(std::filesystem::exists(backups));
}

TEST_F(DataRoot, TheMainWindowOpensMaximisedWithTheFirstButtonFocused)
{
    bool checked = false;
    EXPECT_EQ(runWithMainWindow([&] {
                  checked = true;
                  EXPECT_TRUE(FormMain->isVisible());
                  EXPECT_EQ(FormMain->geometry(), FormMain->screen()->availableGeometry());
                  EXPECT_EQ(FormMain->focusWidget(), FormMain->Button1);
                  EXPECT_EQ(FormMain->windowTitle(), u"الإجازات"_s);
                  EXPECT_EQ(FormNew, nullptr) << "every other window is built when first needed";
                  std::ifstream maps("/proc/self/maps");
                  const std::string loaded{std::istreambuf_iterator<char>(maps), std::istreambuf_iterator<char>()};
                  EXPECT_FALSE(loaded.empty());
                  // Nor what only a server or an export needs (the tests' own support makes old
                  // tables with the move-in's library, so it is here whatever the program does).
                  for (const char* library : {"libpq.so", "libxlsxwriter.so"})
                      EXPECT_EQ(loaded.find(library), std::string::npos) << library;
                  // Whatever the screen, the year's close button covers none of the bar's own controls.
                  for (const QSize screen : {QSize(800, 600), QSize(1024, 768), QSize(1920, 1080)}) {
                      FormMain->setWindowState(Qt::WindowNoState);
                      FormMain->resize(screen);
                      const QRect added = FormMain->BitBtn5->geometry();
                      EXPECT_TRUE(FormMain->bottomBar()->rect().contains(added)) << screen.width();
                      for (const QWidget* own : std::initializer_list<const QWidget*>{FormMain->BitBtn1, FormMain->Label1, FormMain->Label2})
                          EXPECT_FALSE(added.intersects(own->geometry())) << screen.width() << " " << own->objectName().toStdString();
                  }
              }),
              0);
    EXPECT_TRUE(checked);
    EXPECT_TRUE(boxes.exceptions.isEmpty());
}

TEST_F(DataRoot, TheMenuStandsOnItsStaircaseWithBadgesOneToSevenThenNine)
{
    runWithMainWindow([] {
        const TFormMain& m = *FormMain;
        const std::vector<std::pair<QPushButton*, QLabel*>> menu = {
            {m.Button1, m.Panel3}, {m.Button2, m.Panel4}, {m.Button3, m.Panel5},  {m.Button4, m.Panel6},
            {m.Button5, m.Panel7}, {m.Button6, m.Panel8}, {m.BitBtn2, m.Panel9}, {m.BitBtn3, m.Panel10}};
        const QPoint places[] = {{452, 9}, {391, 51}, {330, 93}, {270, 135}, {209, 178}, {149, 220}, {88, 262}, {28, 305}};
        const QString badges[] = {u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s, u"9"_s};
        for (std::size_t i = 0; i < menu.size(); ++i) {
            EXPECT_EQ(menu[i].first->geometry(), QRect(places[i], QSize(100, 60))) << i;
            EXPECT_EQ(menu[i].second->text(), badges[i]);
            EXPECT_EQ(menu[i].second->geometry(), QRect(places[i], QSize(17, 25)));
            EXPECT_TRUE(menu[i].first->isVisible());
        }
        EXPECT_EQ(m.Button1->text(), u"عامل جديد"_s);
        EXPECT_EQ(m.BitBtn3->text(), u"تقرير مفصل"_s);
        EXPECT_EQ(m.Panel1->size(), QSize(585, 377));
        EXPECT_EQ(m.Panel1->geometry().center(), m.rect().center());
        EXPECT_FALSE(m.Button7->isVisible());
        EXPECT_FALSE(m.BitBtn4->isVisible());
        EXPECT_FALSE(m.Panel11->isVisible());
        EXPECT_EQ(m.BitBtn1->text(), u"اغلاق"_s);
        QWidget* order = m.Button1;
        for (QWidget* next : std::initializer_list<QWidget*>{m.Button2, m.Button3, m.Button4, m.Button5, m.Button6,
                                                              m.BitBtn2, m.BitBtn3}) {
            EXPECT_EQ(order->nextInFocusChain(), next);
            order = next;
        }
    });
}

TEST_F(DataRoot, LowerCaseYOpensTheNewWorkerWindowThenFocusesTheFirstButton)
{
    runWithMainWindow([] {
        int opened = 0;
        // Closes the new-worker window each time it opens; the first time, a filter is put in
        // for the whole program while the key is handled, as the program's first action does.
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&opened] {
            if (!FormNew || !FormNew->isVisible())
                return;
            if (++opened == 1)
                qApp->installEventFilter(new QObject(FormNew));
            FormNew->close();
        });
        closer.start(0);
        QTest::keyClick(FormMain->Button1, 'y'); // where the focus stands when the program starts
        QCoreApplication::processEvents();
        EXPECT_EQ(opened, 1) << "one key, one window";
        FormMain->Button3->setFocus();
        QTest::keyClick(FormMain->Button3, 'y');
        EXPECT_EQ(opened, 2);
        EXPECT_EQ(FormMain->focusWidget(), FormMain->Button1);

        FormMain->Button4->setFocus();
        QTest::keyClick(FormMain->Button4, 'Y');
        QTest::keyClick(FormMain->Button4, '7');
        QCoreApplication::processEvents();
        EXPECT_EQ(opened, 2) << "Y and the digits do nothing";
        EXPECT_EQ(FormMain->focusWidget(), FormMain->Button4);
    });
}

TEST_F(DataRoot, EveryMenuButtonOpensItsWindowAndReturnsWhenItCloses)
{
    runWithMainWindow([] {
        for (QPushButton* button : {FormMain->Button1, FormMain->Button2, FormMain->Button3, FormMain->Button4,
                                    FormMain->Button5, FormMain->Button6, FormMain->BitBtn2, FormMain->BitBtn3}) {
            QString opened;
            QTimer::singleShot(0, [&opened] {
                QWidget* window = QApplication::activeModalWidget();
                ASSERT_NE(window, nullptr);
                opened = window->objectName();
                window->findChild<QPushButton*>(u"BitBtn1"_s)->click();
            });
            button->click();
            EXPECT_FALSE(opened.isEmpty()) << button->objectName().toStdString();
        }
    });
}

TEST_F(DataRoot, AWindowBuiltOnItsFirstShowingStandsOnTheCurrentWorkerWithTheFocusInItsGrid)
{
    runWithMainWindow([] {
        store::TDataModule1& book = *store::DataModule1;
        for (const char* name : {"W1", "W2", "W3"})
            testing_support::addWorker(book, name);
        book.TableM.First();
        book.TableM.MoveBy(1);
        ASSERT_EQ(FormAllWorkerChang, nullptr);
        for (int showing = 1; showing <= 2; ++showing) {
            SCOPED_TRACE(showing);
            QTimer::singleShot(0, [&book] {
                ASSERT_NE(FormAllWorkerChang, nullptr);
                const controls::DBGrid& grid = *FormAllWorkerChang->DBGrid1;
                EXPECT_EQ(QApplication::activeModalWidget(), FormAllWorkerChang);
                EXPECT_EQ(FormAllWorkerChang->focusWidget(), &grid);
                EXPECT_EQ(grid.currentIndex().row(), 1);
                EXPECT_EQ(grid.currentIndex().column(), grid.currentColumn());
                EXPECT_EQ(grid.currentColumn(), 0);
                EXPECT_EQ(book.TableMWorkerName.AsString(), "W2");
                FormAllWorkerChang->close();
            });
            const TFormAllWorkerChang* before = FormAllWorkerChang;
            FormMain->Button2->click();
            if (showing == 2) {
                EXPECT_EQ(FormAllWorkerChang, before) << "built once, shown again";
            }
        }
        EXPECT_EQ(FormMain->focusWidget(), FormMain->Button1) << "the main window's focus stays where it stood";
    });
}

TEST_F(DataRoot, TheHiddenDiagnosticWindowsNavigatorWalksTheCurrentWorkersAdministrativeEntries)
{
    runWithMainWindow([] {
        store::TDataModule1& book = *store::DataModule1;
        book.TableM.Insert();
        book.TableMWorkerName.SetText("Ahmad");
        book.TableM.Post();
        const controls::DBNavigator& navigator = *controls::built(Form2).DBNavigator1;
        EXPECT_EQ(navigator.parentWidget(), Form2->Panel2);
        EXPECT_EQ(navigator.pos(), QPoint(3, 109));
        EXPECT_FALSE(navigator.button(controls::NavigatorButton::Delete)->isEnabled()) << "the worker has no entries";
        book.TablePermitAdmin.Insert();
        book.TablePermitAdminAdministrationPermit.SetAsInteger(2);
        book.TablePermitAdmin.Post();
        EXPECT_TRUE(navigator.button(controls::NavigatorButton::Delete)->isEnabled());
    });
    EXPECT_TRUE(boxes.exceptions.isEmpty());
}

TEST_F(DataRoot, AValueAnotherProgramWroteThatIsNoWholeNumberOpensBlankAndIsToldOnce)
{
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open((root / "worker/worker.db").string().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other,
                           "INSERT INTO worker (WorkerName, YearPermit, NoHire) VALUES ('Zaid', 'abc', 1099511627776)",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(other);
    bool opened = false;
    EXPECT_EQ(runWithMainWindow([&] {
                  opened = FormMain->isVisible();
                  EXPECT_TRUE(store::DataModule1->TableMYearPermit.IsNull());
                  store::DataModule1->TableM.Last();
                  store::DataModule1->TableM.First();
                  QCoreApplication::processEvents();
              }),
              0);
    EXPECT_TRUE(opened);
    EXPECT_TRUE(boxes.exceptions.isEmpty());
    ASSERT_EQ(boxes.messages.size(), 1) << "both values in one box, each told once";
    const QString told = boxes.messages.front();
    for (const QString& part : {u"Zaid"_s, u"1"_s, u"YearPermit"_s, u"'abc'"_s, u"NoHire"_s, u"'1099511627776'"_s})
        EXPECT_TRUE(told.contains(part)) << part.toStdString() << " in " << told.toStdString();
}

TEST_F(DataRoot, ASessionThatChangedTheBookEndsWithABackupAndTheTenNewestAreKept)
{
    runWithMainWindow([] {});
    EXPECT_FALSE(std::filesystem::exists(backups)) << "nothing changed, nothing backed up";
    for (int n = 0; n < 11; ++n)
        std::filesystem::create_directories(backups / ("auto-2000-01-" + std::to_string(10 + n) + "_000000"));
    std::filesystem::create_directories(backups / "before-the-move"); // not an automatic one
    runWithMainWindow([] { testing_support::addWorker(*store::DataModule1, "Zaid"); });
    std::vector<std::string> automatic;
    for (const auto& entry : std::filesystem::directory_iterator(backups))
        automatic.push_back(entry.path().filename().string());
    std::sort(automatic.begin(), automatic.end());
    ASSERT_EQ(automatic.size(), 11u) << "ten automatic ones and the clerk's own";
    EXPECT_EQ(automatic.front(), "auto-2000-01-12_000000") << "the oldest went";
    EXPECT_EQ(automatic.back(), "before-the-move");
    const std::filesystem::path newest = backups / automatic[automatic.size() - 2];
    EXPECT_EQ(testing_support::readBook(newest).at("worker").size(), 1u) << "the session's worker is in it";
    EXPECT_TRUE(boxes.exceptions.isEmpty());
}

TEST_F(DataRoot, AFirstRunWithNoDataRootMakesTheEmptyBookAndSaysWhere)
{
    std::filesystem::remove_all(root);
    bool opened = false;
    runWithMainWindow([&] {
        opened = FormMain->isVisible();
        QCoreApplication::processEvents();
    });
    EXPECT_TRUE(opened);
    EXPECT_TRUE(boxes.exceptions.isEmpty()) << boxes.exceptions.join(u'\n').toStdString();
    for (const store::TableDef* table : store::allTables())
        EXPECT_TRUE(std::filesystem::exists(table->pathUnder(root))) << table->name;
    ASSERT_EQ(boxes.messages.size(), 1);
    EXPECT_TRUE(boxes.messages.front().contains(QChar(0x2066) + QString::fromStdString(root.string()) + QChar(0x2069)))
        << "the folder isolated left to right, so its slashes stay where they are";
}

// A book the clerk cannot write is told once as the program starts, naming the folder and
// each file; a writable book says nothing.
TEST(ReadOnlyBook, IsToldOnceAtStartUpNamingTheFolderAndEachFile)
{
    testing_support::FaultVfs::install();
    testing_support::TempBook book;
    testing_support::RecordingDialogs boxes;
    for (const bool readOnly : {false, true}) {
        SCOPED_TRACE(readOnly ? "read-only" : "writable");
        boxes.warnings.clear();
        testing_support::FaultVfs::openReadOnly(readOnly);
        store::TDataModule1 opened(book.root(), {testing_support::FaultVfs::name, 100});
        testing_support::FaultVfs::openReadOnly(false);
        warnIfReadOnly(opened.connection());
        QCoreApplication::processEvents();
        ASSERT_EQ(boxes.warnings.size(), readOnly ? 1 : 0);
        if (!readOnly)
            continue;
        const QString said = boxes.warnings.front();
        EXPECT_TRUE(said.contains(u"للقراءة فقط"_s));
        EXPECT_TRUE(said.contains(QChar(0x2066) + QString::fromStdString(book.root().string()) + QChar(0x2069)));
        for (const store::TableDef* table : store::allTables())
            EXPECT_TRUE(said.contains(QString::fromStdString(table->pathUnder(book.root()).string())))
                << table->name;
    }
}
