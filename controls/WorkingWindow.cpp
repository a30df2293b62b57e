#include "WorkingWindow.h"

#include <QCloseEvent>
#include <QEventLoop>

namespace controls {

WorkingWindow::WorkingWindow(const QString& objectName, const QString& caption, const QColor& background)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    setLayoutDirection(Qt::RightToLeft);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, background);
    setPalette(colours);
    setAutoFillBackground(true);
}

void WorkingWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        emit closed();
}

void showModally(WorkingWindow& window)
{
    QEventLoop loop;
    const auto connection = QObject::connect(&window, &WorkingWindow::closed, &loop, &QEventLoop::quit);
    window.setWindowModality(Qt::ApplicationModal);
    window.showMaximized();
    loop.exec();
    QObject::disconnect(connection);
}

QWidget* makePanel(QWidget* parent, const QString& objectName, const QColor& colour)
{
    auto* panel = new QWidget(parent);
    panel->setObjectName(objectName);
    QPalette colours = panel->palette();
    colours.setColor(QPalette::Window, colour);
    panel->setPalette(colours);
    panel->setAutoFillBackground(true);
    return panel;
}

} // namespace controls
