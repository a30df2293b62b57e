#include "WindowParts.h"

#include "BevelledPanel.h"

#include <QApplication>
#include <QEvent>

namespace controls {
namespace {

// Swallows a press on a button that did not get the focus it asked for: the box that had it
// refused to be left, and its message is already up.
class RefusedPressFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease)
            return false;
        const auto* button = static_cast<QPushButton*>(watched);
        const QWidget* focused = QApplication::focusWidget();
        // In a window that is not active yet nothing holds the focus: the press goes through.
        return (button->focusPolicy() & Qt::ClickFocus) && focused && focused != button
               && focused->window() == button->window();
    }
};

} // namespace

QPushButton* makeButton(QWidget* parent, const QString& objectName, const QString& caption, const QRect& geometry,
                        const QIcon& picture)
{
    auto* button = new QPushButton(picture, caption, parent);
    button->setObjectName(objectName);
    button->setGeometry(geometry);
    button->setAutoDefault(true);
    button->installEventFilter(new RefusedPressFilter(button));
    return button;
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

QFrame* makeSunkenPanel(QWidget* parent, const QString& objectName, const QColor& colour, const QSize& size)
{
    auto* panel = new BevelledPanel(parent);
    panel->setObjectName(objectName);
    QPalette colours = panel->palette();
    colours.setColor(QPalette::Window, colour);
    panel->setPalette(colours);
    panel->setAutoFillBackground(true);
    panel->resize(size);
    return panel;
}

QLabel* makeBadge(QWidget* parent, const QString& objectName, const QString& caption, const QColor& colour,
                  const QRect& geometry)
{
    auto* badge = new QLabel(caption, parent);
    badge->setObjectName(objectName);
    badge->setAlignment(Qt::AlignCenter);
    badge->setAutoFillBackground(true);
    QPalette colours = badge->palette();
    colours.setColor(QPalette::Window, colour);
    colours.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0x80));
    badge->setPalette(colours);
    badge->setGeometry(geometry);
    badge->raise(); // drawn above whatever it numbers
    return badge;
}

void setTabChain(std::initializer_list<QWidget*> controls)
{
    QWidget* previous = nullptr;
    for (QWidget* next : controls) {
        if (!next)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, next);
        previous = next;
    }
}

QLabel* makePicture(QWidget* parent, const QString& objectName, const QImage& picture, const QPoint& at)
{
    auto* label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setPixmap(QPixmap::fromImage(picture));
    label->setGeometry(QRect(at, picture.size()));
    return label;
}

QLabel* makeRightAlignedLabel(QWidget* parent, const QString& objectName, const QString& caption, int right, int top)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(objectName);
    label->adjustSize();
    label->move(right - label->width(), top);
    return label;
}

} // namespace controls
