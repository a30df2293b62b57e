#pragma once

#include "ClerkAction.h"
#include "Dialogs.h"

#include <QObject>

#include <exception>
#include <utility>

namespace controls {

// Shows the exception being handled in the exception box: a library exception with its
// message, any other with an empty text.  REQUIRES: called inside a catch block.
inline void reportCurrentException() noexcept
{
    try {
        throw;
    } catch (const std::exception& error) {
        reportException(QString::fromUtf8(error.what()));
    } catch (...) {
        reportException(QString());
    }
}

// Runs a handler and stops any exception at the handler's boundary, showing it in the
// exception box: an exception must never unwind through Qt's own frames. Returns whether
// the handler ran to its end.
template <typename Handler> bool guarded(Handler&& handler) noexcept
{
    const ClerkAction action;
    try {
        std::forward<Handler>(handler)();
        return true;
    } catch (...) {
        reportCurrentException();
        return false;
    }
}

// connect() through the guard: the handler takes no arguments.
template <typename Sender, typename Signal, typename Handler>
QMetaObject::Connection connectGuarded(Sender* sender, Signal signal, QObject* context, Handler handler)
{
    return QObject::connect(sender, signal, context, [handler]() mutable { guarded(handler); });
}

} // namespace controls
