#include "ClerkAction.h"

#include "BusyWait.h"

#include <QCoreApplication>
#include <QEvent>

namespace controls {
namespace {

std::uint64_t latest = 0;
bool inputSinceLatest = true;

// Notes every key and click the program receives, whichever window it goes to.
class InputWatch : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
            inputSinceLatest = true;
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }
};

void watchInput()
{
    static bool watching = false;
    if (watching || !QCoreApplication::instance())
        return;
    QCoreApplication::instance()->installEventFilter(new InputWatch(QCoreApplication::instance()));
    watching = true;
}

} // namespace

ClerkAction::ClerkAction()
{
    watchInput();
    if (!inputSinceLatest)
        return;
    inputSinceLatest = false;
    ++latest;
    store::renewBusyWait();
}

std::uint64_t ClerkAction::current()
{
    return latest;
}

} // namespace controls
