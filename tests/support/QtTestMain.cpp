// Runs a test binary's GoogleTest cases inside a QApplication, on the offscreen platform
// unless another is set, so windows can be shown and driven without a display.
#include "ProgramLook.h"
#include "QtArabic.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    controls::useProgramLook(application); // the windows are driven as the clerk sees them
    controls::speakArabic(application);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
