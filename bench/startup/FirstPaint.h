#pragma once

// Tells the benchmark on standard output the moment a window is first painted, then
// closes it: the end of a start-up as the clerk sees it.
#include <QObject>

#include <functional>

class QWidget;

class FirstPaint : public QObject {
public:
    // `window` names the window once it is built, null before.
    explicit FirstPaint(std::function<QWidget*()> window) : window_(std::move(window)) {}
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<QWidget*()> window_;
    bool told_ = false;
};
