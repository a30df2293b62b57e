#include "ClerkAction.h"

#include "BusyWait.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>

#include <utility>
#include <vector>

namespace controls {
namespace {

std::uint64_t latest = 0;
bool noInputSeen = true;
std::vector<std::pair<QPointer<QObject>, std::function<void()>>> dueAtNextAction;

void beginAction()
{
    ++latest;
    store::renewBusyWait();
    for (auto& [owner, work] : std::exchange(dueAtNextAction, {}))
        if (owner)
            work();
}

// Begins an action at every key and click the program receives, whichever window it goes to.
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
            // A key or click that a widget passes on to its parent comes by again: one action.
            if (watched->isWidgetType() && event != begunBy_) {
                begunBy_ = event;
                noInputSeen = false;
                beginAction();
            }
            break;
        case QEvent::ShortcutOverride: // comes before each key press
        case QEvent::KeyRelease:
        case QEvent::MouseButtonRelease:
            begunBy_ = nullptr;
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    const QEvent* begunBy_ = nullptr;
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
    if (noInputSeen && latest == 0)
        beginAction();
}

std::uint64_t ClerkAction::current()
{
    return latest;
}

void ClerkAction::atNextAction(QObject* owner, std::function<void()> work)
{
    watchInput();
    dueAtNextAction.emplace_back(owner, std::move(work));
}

} // namespace controls
