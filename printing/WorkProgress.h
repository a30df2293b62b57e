#pragma once

#include <QElapsedTimer>
#include <QProgressDialog>

#include <functional>
#include <stdexcept>

namespace printing {

// The clerk cancelled a generation, an export or a print; nothing of it is kept.
class WorkCancelled : public std::runtime_error {
public:
    WorkCancelled() : std::runtime_error("Cancelled") {}
};

// The progress of a long generation, export or print, in a window of its own that keeps
// the program painting and lets the clerk cancel with its button or Escape. The window
// shows only once the work has lasted a moment, and holds all the program's input while
// it is up, so nothing else can change under the work.
class WorkProgress {
public:
    WorkProgress(QWidget* owner, const QString& title, const QString& text);

    // Every few tens of milliseconds: tells `showing` first (to show the progress elsewhere
    // too), shows `percent`, and lets the program paint and the clerk cancel. Throws
    // WorkCancelled once the clerk has cancelled.
    void tick(int percent, const std::function<void()>& showing = {});
    void finish();

private:
    QProgressDialog dialog_;
    QElapsedTimer sinceStart_;
    QElapsedTimer sinceTick_;
};

} // namespace printing
