#pragma once

#include "WindowParts.h"

#include <QColor>
#include <QPushButton>
#include <QStyle>
#include <QWidget>

#include <functional>

#include <vector>

namespace controls {

// A working window of the leave book: opens maximised, without border or title bar, reads
// right to left, and tells when it has closed.
class WorkingWindow : public QWidget {
    Q_OBJECT
public:
    WorkingWindow(const QString& objectName, const QString& caption, const QColor& background);

    // Panel2, the bar along the bottom edge (46 pixels, #005B88), made on first use.
    QWidget* bottomBar();
    // BitBtn1 "اغلاق" at the bar's left end; it closes the window and does nothing else.
    QPushButton* addCloseButton();
    // The panel keeps its centre in the middle of the window whatever its size.
    void keepCentred(QWidget* panel);
    // BitBtn2 at the bar's right end, keeping its distance from it: "حفظ وإغلاق" (save and
    // close) or "طباعة" (print). The window connects what it does.
    QPushButton* addSaveButton();
    QPushButton* addPrintButton();
    // Any other button at the bar's right end, keeping its distance from it.
    QPushButton* addRightEndButton(const QString& objectName, const QString& caption, int width,
                                   QStyle::StandardPixmap picture);

signals:
    void closed();

protected:
    // Runs the window's show handler under the guard. One that a lock held elsewhere cut
    // short runs again at the clerk's next action while the window is open, so the window
    // fills as if it had just been shown.
    void runShowHandler(const std::function<void()>& handler);
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Where a right-end button goes along the bar: its right end, or where an added button
    // covers none of the bar's other controls, whatever the screen's width.
    int placeInBar(const QWidget& button) const;

    QWidget* bottomBar_ = nullptr;
    std::vector<QWidget*> centred_;
    std::vector<QWidget*> rightEnded_;
};

// Shows the window modally (maximised unless told otherwise) and returns when it has
// closed itself. Every window the main window opens goes through here.
void showModally(QWidget& window, bool maximised = true);

// Shows the window over the whole of its screen's working area, with or without a window
// manager to maximise it.
void showMaximisedOnScreen(QWidget& window);

} // namespace controls
