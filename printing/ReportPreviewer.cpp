#include "ReportPreviewer.h"

#include <QEventLoop>
#include <QScreen>

#include <memory>

namespace printing {

void ReportPreviewer::Preview(QWidget* owner, const ShowError& showError)
{
    if (open_) {
        open_->raise();
        open_->activateWindow();
        return;
    }
    auto preview = std::make_unique<PreviewWindow>(
        owner, [this](const Progress& progress) { return generateReport(report_, progress); }, showError);
    open_ = preview.get();
    if (const QScreen* screen = preview->screen())
        preview->setGeometry(screen->availableGeometry());
    preview->showMaximized();
    preview->generate();
    QEventLoop loop;
    QObject::connect(preview.get(), &PreviewWindow::closed, &loop, &QEventLoop::quit);
    if (preview->isVisible())
        loop.exec();
}

} // namespace printing
