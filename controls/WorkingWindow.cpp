#include "WorkingWindow.h"

#include "ClerkAction.h"
#include "Guard.h"
#include "StandardPicture.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QScreen>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace controls {
namespace {

constexpr int barMargin = 8; // in pixels, between a bar's end and its button, as the close button stands

} // namespace

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

QWidget* WorkingWindow::bottomBar()
{
    if (!bottomBar_) {
        bottomBar_ = makePanel(this, QStringLiteral("Panel2"), QColor(0x00, 0x5B, 0x88));
        bottomBar_->setGeometry(0, height() - 46, width(), 46);
    }
    return bottomBar_;
}

QPushButton* WorkingWindow::addCloseButton()
{
    QPushButton* button = makeButton(bottomBar(), QStringLiteral("BitBtn1"), u"اغلاق"_s,
                                     QRect(barMargin, 16, 100, 25), standardPicture(QStyle::SP_DialogCloseButton));
    QObject::connect(button, &QPushButton::clicked, this, &QWidget::close);
    return button;
}

void WorkingWindow::runShowHandler(const std::function<void()>& handler)
{
    if (guarded(handler))
        return;
    ClerkAction::atNextAction(this, [this, handler] {
        if (isVisible())
            runShowHandler(handler);
    });
}

void WorkingWindow::keepCentred(QWidget* panel)
{
    centred_.push_back(panel);
    panel->move((width() - panel->width()) / 2, (height() - panel->height()) / 2);
}

QPushButton* WorkingWindow::addRightEndButton(const QString& objectName, const QString& caption, int width,
                                              QStyle::StandardPixmap picture)
{
    QPushButton* button = makeButton(bottomBar(), objectName, caption,
                                     QRect(bottomBar()->width() - barMargin - width, 16, width, 25),
                                     standardPicture(picture));
    rightEnded_.push_back(button);
    return button;
}

QPushButton* WorkingWindow::addSaveButton()
{
    return addRightEndButton(u"BitBtn2"_s, u"حفظ وإغلاق"_s, 100, QStyle::SP_DialogSaveButton);
}

QPushButton* WorkingWindow::addPrintButton()
{
    return addRightEndButton(u"BitBtn2"_s, u"طباعة"_s, 107, QStyle::SP_FileDialogDetailedView);
}

void WorkingWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (bottomBar_)
        bottomBar_->setGeometry(0, height() - 46, width(), 46);
    for (QWidget* button : rightEnded_)
        button->move(placeInBar(*button), button->y());
    for (QWidget* panel : centred_)
        panel->move((width() - panel->width()) / 2, (height() - panel->height()) / 2);
}

int WorkingWindow::placeInBar(const QWidget& button) const
{
    std::vector<std::pair<int, int>> taken; // from, to: the other controls of the bar
    for (const QWidget* other : bottomBar_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (other != &button && !other->isHidden())
            taken.emplace_back(other->x(), other->x() + other->width());
    const int width = button.width();
    const auto free = [&](int left) {
        if (left < barMargin || left + width > bottomBar_->width() - barMargin)
            return false;
        return std::none_of(taken.begin(), taken.end(), [&](const std::pair<int, int>& span) {
            return left < span.second + barMargin && left + width + barMargin > span.first;
        });
    };
    const int rightEnd = bottomBar_->width() - barMargin - width;
    if (free(rightEnd))
        return rightEnd;
    // Crowded at the right end (a small screen): the nearest room to it beside another control.
    int best = -1;
    for (const auto& span : taken)
        if (free(span.second + barMargin))
            best = std::max(best, span.second + barMargin);
    return best >= 0 ? best : rightEnd;
}

void WorkingWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        emit closed();
}

namespace {

// Ends a modal display when its window is hidden, which closing it does.
class HideWatcher : public QObject {
public:
    explicit HideWatcher(QEventLoop& loop) : loop_(loop) {}
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Hide)
            loop_.quit();
        return false;
    }

private:
    QEventLoop& loop_;
};

} // namespace

void showModally(QWidget& window, bool maximised)
{
    QEventLoop loop;
    HideWatcher watcher(loop);
    window.installEventFilter(&watcher);
    window.setWindowModality(Qt::ApplicationModal);
    if (maximised)
        showMaximisedOnScreen(window);
    else
        window.show();
    if (window.isVisible())
        loop.exec();
    window.removeEventFilter(&watcher);
}

void showMaximisedOnScreen(QWidget& window)
{
    if (const QScreen* screen = window.screen())
        window.setGeometry(screen->availableGeometry());
    window.showMaximized();
}

} // namespace controls
