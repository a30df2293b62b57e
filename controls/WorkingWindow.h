#pragma once

#include <QColor>
#include <QWidget>

namespace controls {

// A working window of the leave book: opens maximised, without border or title bar, reads
// right to left, and tells when it has closed.
class WorkingWindow : public QWidget {
    Q_OBJECT
public:
    WorkingWindow(const QString& objectName, const QString& caption, const QColor& background);

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
};

// Shows the window modally and returns when it has closed itself. Every window the main
// window opens goes through here.
void showModally(WorkingWindow& window);

// A plain coloured panel, as the windows are built of.
QWidget* makePanel(QWidget* parent, const QString& objectName, const QColor& colour);

} // namespace controls
