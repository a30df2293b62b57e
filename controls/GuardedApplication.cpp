#include "GuardedApplication.h"

#include "Dialogs.h"

#include <exception>

namespace controls {

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv)
{
}

bool GuardedApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        reportException(QString::fromUtf8(error.what()));
    } catch (...) {
        reportException(QString());
    }
    return false;
}

} // namespace controls
