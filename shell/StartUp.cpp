#include "StartUp.h"

#include "ArabicFonts.h"
#include "DataModule.h"
#include "Guard.h"
#include "OddValueNotices.h"
#include "ProgramObjects.h"
#include "Unitmain.h"

#include <QEventLoop>

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
    return 0;
}
