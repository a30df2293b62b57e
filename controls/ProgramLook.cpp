#include "ProgramLook.h"

#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOption>

namespace controls {
namespace {

class FocusMarkingStyle final : public QProxyStyle {
public:
    // Fusion on every system: the boxes, buttons and grids are drawn alike on Windows and Linux,
    // and a low box still shows its text whatever the system's own theme does.
    FocusMarkingStyle() : QProxyStyle(QStringLiteral("Fusion")) {}

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        QProxyStyle::drawControl(element, option, painter, widget);
        if (element != CE_PushButton || !(option->state & State_HasFocus))
            return;
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(QColor::fromRgb(focusRingRgb), ringWidth));
        painter->setBrush(Qt::NoBrush);
        const qreal inset = 2 + ringWidth / 2.0;
        painter->drawRoundedRect(QRectF(option->rect).adjusted(inset, inset, -inset, -inset), 2, 2);
        painter->restore();
    }

private:
    static constexpr int ringWidth = 2;
};

} // namespace

void useProgramLook(QApplication& application)
{
    QApplication::setStyle(new FocusMarkingStyle);
    QPalette boxes = QApplication::palette("QLineEdit");
    boxes.setColor(QPalette::Inactive, QPalette::Highlight, boxes.color(QPalette::Inactive, QPalette::Base));
    boxes.setColor(QPalette::Inactive, QPalette::HighlightedText, boxes.color(QPalette::Inactive, QPalette::Text));
    application.setPalette(boxes, "QLineEdit");
}

} // namespace controls
