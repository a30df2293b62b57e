#include "WorkProgress.h"

#include <QCoreApplication>

#include <algorithm>
#include <limits>

namespace printing {
namespace {

constexpr int tickInterval = 100;  // in ms: painting more often would cost more than the work
constexpr int shownAfter = 400;    // in ms: a short work never flashes a window

} // namespace

WorkProgress::WorkProgress(QWidget* owner, const QString& title, const QString& text)
    : dialog_(text, QStringLiteral("Cancel"), 0, 100, owner)
{
    dialog_.setWindowTitle(title);
    dialog_.setWindowModality(Qt::ApplicationModal);
    // Shown by tick() itself: the dialog's own rule waits for a guess of the time left.
    dialog_.setMinimumDuration(std::numeric_limits<int>::max());
    dialog_.setAutoReset(false);
    dialog_.setAutoClose(false);
    // Escape only rejects a dialog, which would hide this one and let the work go on.
    QObject::connect(&dialog_, &QDialog::rejected, &dialog_, &QProgressDialog::cancel);
    dialog_.setValue(0);
    sinceStart_.start();
    sinceTick_.start();
}

void WorkProgress::tick(int percent, const std::function<void()>& showing)
{
    if (sinceTick_.elapsed() < tickInterval)
        return;
    sinceTick_.restart();
    if (showing)
        showing();
    // Once up, the window is modal and takes the program's input while events go through;
    // until then, only painting goes on.
    if (!dialog_.isVisible() && sinceStart_.elapsed() >= shownAfter)
        dialog_.show();
    dialog_.setValue(std::clamp(percent, 0, 99));
    QCoreApplication::processEvents(dialog_.isVisible() ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    if (dialog_.wasCanceled())
        throw WorkCancelled();
}

void WorkProgress::finish()
{
    dialog_.setValue(100);
    dialog_.hide();
}

} // namespace printing
