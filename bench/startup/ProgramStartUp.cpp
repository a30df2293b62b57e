// The program's own start-up on the book at argv[1], as its main does it, ended at the main
// window's first paint.
#include "BookPlace.h"
#include "FirstPaint.h"
#include "GuardedApplication.h"
#include "StartUp.h"
#include "Unitmain.h"

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    controls::GuardedApplication application(argc, argv);
    FirstPaint painted([] { return static_cast<QWidget*>(FormMain); });
    application.installEventFilter(&painted);
    return startUp(operations::BookPlace(argv[1]));
}
