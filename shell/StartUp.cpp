#include "StartUp.h"

#include "ArabicFonts.h"
#include "BookBackup.h"
#include "BookFolders.h"
#include "DataModule.h"
#include "Dialogs.h"
#include "Guard.h"
#include "Isolated.h"
#include "IsolatedText.h"
#include "OddValueNotices.h"
#include "OldTable.h"
#include "ProgramLook.h"
#include "ProgramObjects.h"
#include "QtArabic.h"
#include "ReadOnlyBook.h"
#include "ReadOnlyNotice.h"
#include "StoreError.h"
#include "TableSetup.h"
#include "Unitmain.h"
#include "Wording.h"

#include <QApplication>
#include <QDateTime>
#include <QEventLoop>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {

// A session that changed the book ends with a backup of it, beside the data root; one that
// fails is told and leaves the book as it is.
void backUpIfChanged(store::BookConnection& connection, const operations::BookPlace& place)
{
    if (!connection.wroteAnything())
        return;
    controls::guarded([&connection, &place] {
        operations::backUpAutomatically(connection, operations::backupsBeside(place.localRoot),
                                        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_HHmmss")).toStdString());
    });
}

// The first run of an installed program finds no data root at all: it makes the empty book
// there. A data root that exists with a table missing is not a first run. Returns whether
// this was the first run.
bool makeTheBookOnFirstRun(const std::filesystem::path& dataRoot)
{
    if (std::filesystem::exists(dataRoot))
        return false;
    const store::SetupReport report = store::createMissingTables(dataRoot);
    if (!report.problems.empty())
        throw store::StoreError(report.problems.front());
    return true;
}

// A file found damaged once the window shows is told as the open would have told it, and
// the program ends with nothing written; until the answer, a posting waits for it.
void endIfPagesDamaged(store::BookConnection& connection)
{
    auto* waiting = new QTimer(FormMain);
    QObject::connect(waiting, &QTimer::timeout, waiting, [waiting, &connection] {
        const store::PageProof proof = connection.pageProof();
        if (!proof.answered)
            return;
        waiting->deleteLater();
        waiting->stop();
        if (proof.damage) {
            controls::reportException(QString::fromStdString(*proof.damage));
            FormMain->close();
        }
    });
    waiting->start(20);
}

void tellWhereTheBookIs(const std::filesystem::path& dataRoot)
{
    const QString where = controls::isolatedLeftToRight(QString::fromStdString(dataRoot.string()));
    QTimer::singleShot(0, [where] {
        controls::dialogs().message(u"هذا أول تشغيل للبرنامج: أُنشئ دفتر إجازات فارغ في %1"_s.arg(where));
    });
}

} // namespace

int startUp(const operations::BookPlace& place)
{
    const std::filesystem::path& dataRoot = place.localRoot;
    controls::substituteArabicFaces();
    controls::useProgramLook(*qApp);
    controls::speakArabic(*qApp);
    ProgramObjects program;
    try {
        if (!place.server && operations::holdsOldTables(dataRoot))
            throw store::StoreError(
                store::worded("StartUp", "في %1 جداول البرنامج القديم، لا دفتر الإجازات: انقلها إلى الدفتر أولاً بالأمر %2، "
                                         "ويبقى الدفتر القديم كما هو بجانبه")
                    .arg(store::isolatedLeftToRight(dataRoot.string()))
                    .arg(store::isolatedLeftToRight("ijazat-book move-in " + dataRoot.string())));
        const bool firstRun = !place.server && makeTheBookOnFirstRun(dataRoot);
        if (!place.server)
            store::rollBackHotJournals(dataRoot); // and a killed commit's leftovers go
        program.build(place);
        if (firstRun)
            tellWhereTheBookIs(dataRoot);
    } catch (...) {
        controls::reportCurrentException();
        return 0;
    }
    tellOddValues(store::DataModule1->connection());
    warnIfReadOnly(store::DataModule1->connection());
    QEventLoop loop;
    QObject::connect(FormMain, &controls::WorkingWindow::closed, &loop, &QEventLoop::quit);
    controls::showMaximisedOnScreen(*FormMain);
    endIfPagesDamaged(store::DataModule1->connection());
    loop.exec();
    backUpIfChanged(store::DataModule1->connection(), place);
    return 0;
}
