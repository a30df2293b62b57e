// The reference: a bare Qt window, shown maximised, ended at its first paint.
#include "FirstPaint.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new QLabel(QStringLiteral("ijazat")));
    FirstPaint painted([&window] { return &window; });
    application.installEventFilter(&painted);
    window.showMaximized();
    return application.exec();
}
