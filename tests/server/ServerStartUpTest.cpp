// The program started on a book kept on a server.
#include "RecordingDialogs.h"
#include "ServerBook.h"
#include "StartUp.h"
#include "TempBook.h"
#include "Unitmain.h"

#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

TEST(ServerStartUp, AnUnreachableServerIsNamedInTheExceptionBoxAndNoWindowOpens)
{
    testing_support::RecordingDialogs boxes;
    testing_support::TempBook home;
    bool shown = false;
    QTimer::singleShot(0, [&] { shown = FormMain && FormMain->isVisible(); });
    EXPECT_EQ(startUp(operations::BookPlace(home.root(), "host=/nonexistent port=5999 dbname=leave")), 0);
    QCoreApplication::processEvents();
    EXPECT_FALSE(shown);
    ASSERT_EQ(boxes.exceptions.size(), 1);
    EXPECT_TRUE(boxes.exceptions.front().contains(u"تعذّر الوصول إلى خادم الدفتر \u2066/nonexistent:5999/leave\u2069"_s))
        << boxes.exceptions.front().toStdString();
    EXPECT_EQ(FormMain, nullptr);
}

// A session on the server that changed the book ends with a backup of it beside the
// user's own data root: an ordinary local book holding what the session wrote.
TEST(ServerStartUp, ASessionOnTheServerOpensTheMainWindowAndEndsWithALocalBackupOfIt)
{
    testing_support::RecordingDialogs boxes;
    testing_support::TempBook home;
    testing_support::ServerBook book;
    bool shown = false;
    QTimer::singleShot(0, [&] {
        shown = FormMain->isVisible();
        testing_support::addWorker(*store::DataModule1, "سالم");
        FormMain->close();
    });
    EXPECT_EQ(startUp(operations::BookPlace(home.root(), book.conninfo())), 0);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(boxes.exceptions.isEmpty()) << boxes.exceptions.join(u'\n').toStdString();
    EXPECT_TRUE(boxes.messages.isEmpty()) << "no first-run message for a book on a server";
    std::vector<std::filesystem::path> backups;
    for (const auto& entry : std::filesystem::directory_iterator(home.root().parent_path() / "Backups"))
        backups.push_back(entry.path());
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_EQ(testing_support::readBook(backups.front()).at("worker").at(0).at(1), "سالم");
}
