#include "StartUp.h"

#include "ArabicFonts.h"
#include "BookBackup.h"
#include "DataModule.h"
#include "Guard.h"
#include "OddValueNotices.h"
#include "ProgramObjects.h"
#include "Unitmain.h"

#include <QDateTime>
#include <QEventLoop>

namespace {

// A session that changed the book ends with a backup of it, beside the data root; one that
// fails is told and leaves the book as it is.
void backUpIfChanged(const store::BookConnection& connection)
{
    if (!connection.wroteAnything())
        return;
    controls::guarded([&connection] {
        const std::filesystem::path root = connection.dataRoot();
        store::backUpAutomatically(root, root.lexically_normal().parent_path() / "Backups",
                                   QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_HHmmss")).toStdString());
    });
}

} // namespace

int startUp(const std::filesystem::path& dataRoot)
{
    controls::substituteArabicFaces();
    ProgramObjects program;
    try {
        program.build(dataRoot);
    } catch (...) {
        controls::reportCurrentException();
        return 0;
    }
    tellOddValues(store::DataModule1->connection());
    QEventLoop loop;
    QObject::connect(FormMain, &controls::WorkingWindow::closed, &loop, &QEventLoop::quit);
    controls::showMaximisedOnScreen(*FormMain);
    loop.exec();
    backUpIfChanged(store::DataModule1->connection());
    return 0;
}
