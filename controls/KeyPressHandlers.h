#pragma once

#include <QObject>

#include <functional>
#include <map>

class QWidget;

namespace controls {

// A window's ...KeyPress handlers: each character typed into one of its controls goes to
// that control's handler, through the guard, before the control itself sees it.
class KeyPressHandlers : public QObject {
public:
    explicit KeyPressHandlers(QObject* owner) : QObject(owner) {}

    void on(QWidget* control, std::function<void(QChar)> handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::map<QObject*, std::function<void(QChar)>> handlers_;
};

// Moves the focus as Enter does along a window's chain: a box reached this way has its
// whole text selected, as when it is reached by Tab.
void passFocus(QWidget* next);

} // namespace controls
