#pragma once

#include <QColor>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QRect>

#include <initializer_list>

namespace controls {

// A button at a fixed place in its parent, with a small picture beside its caption if
// given. Enter presses it while it has the focus, as Space does. A press that could not
// take the focus, because the box being left refused its text, does nothing.
QPushButton* makeButton(QWidget* parent, const QString& objectName, const QString& caption, const QRect& geometry,
                        const QIcon& picture = QIcon());

// A plain coloured panel, as the windows are built of.
QWidget* makePanel(QWidget* parent, const QString& objectName, const QColor& colour);

// A coloured panel with a single border and a lowered inner bevel.
QFrame* makeSunkenPanel(QWidget* parent, const QString& objectName, const QColor& colour, const QSize& size);

// A number badge: a small panel of the colour it stands on, with a navy caption.
QLabel* makeBadge(QWidget* parent, const QString& objectName, const QString& caption, const QColor& colour,
                  const QRect& geometry);

// Tab goes from each control to the next in this order; an absent (null) control is passed over.
void setTabChain(std::initializer_list<QWidget*> controls);

// A picture sized to itself, its top-left corner at `at`.
QLabel* makePicture(QWidget* parent, const QString& objectName, const QImage& picture, const QPoint& at);

// A caption whose right edge stands at `right`, its top at `top`.
QLabel* makeRightAlignedLabel(QWidget* parent, const QString& objectName, const QString& caption, int right, int top);

} // namespace controls
