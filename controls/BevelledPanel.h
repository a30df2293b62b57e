#pragma once

#include <QFrame>

namespace controls {

// A panel with a single border and a lowered inner bevel: a dark line round it, then a
// raised bevel (light above and on the left, shadow below and on the right), then a
// lowered one inside it (the other way round), each one pixel wide.
class BevelledPanel : public QFrame {
public:
    static constexpr int edge = 3; // border and both bevels

    explicit BevelledPanel(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace controls
