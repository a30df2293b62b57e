#include "KeyPressHandlers.h"

#include "Guard.h"

#include <QKeyEvent>
#include <QWidget>

namespace controls {

void KeyPressHandlers::on(QWidget* control, std::function<void(QChar)> handler)
{
    handlers_[control] = std::move(handler);
    control->installEventFilter(this);
}

bool KeyPressHandlers::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const QString typed = static_cast<QKeyEvent*>(event)->text();
    const auto handler = handlers_.find(watched);
    if (typed.size() == 1 && handler != handlers_.end())
        guarded([&] { handler->second(typed.front()); });
    return false; // the control still gets its key
}

void passFocus(QWidget* next)
{
    next->setFocus(Qt::TabFocusReason);
}

} // namespace controls
