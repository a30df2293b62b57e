#include "GuardedApplication.h"

#include "Guard.h"

namespace controls {

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv)
{
}

bool GuardedApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        reportCurrentException();
    }
    return false;
}

} // namespace controls
