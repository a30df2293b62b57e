#pragma once

#include "Dialogs.h"

#include <QObject>

#include <exception>
#include <utility>

namespace controls {

// Runs a handler and stops any exception at the handler's boundary, showing it in the
// exception box: an exception must never unwind through Qt's own frames.
template <typename Handler> void guarded(Handler&& handler) noexcept
{
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception& error) {
        reportException(QString::fromUtf8(error.what()));
    } catch (...) {
        reportException(QString());
    }
}

// connect() through the guard: the handler takes no arguments.
template <typename Sender, typename Signal, typename Handler>
QMetaObject::Connection connectGuarded(Sender* sender, Signal signal, QObject* context, Handler handler)
{
    return QObject::connect(sender, signal, context, [handler]() mutable { guarded(handler); });
}

} // namespace controls
