#pragma once

#include <QApplication>

namespace controls {

// The last resort: an exception that escaped every handler's guard is shown in the
// exception box, and the event loop goes on.
class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace controls
