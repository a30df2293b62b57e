#pragma once

#include "Document.h"

#include <QWidget>

namespace printing {

// One page of a document at a zoom, on a grey ground.
class PageView : public QWidget {
    Q_OBJECT
public:
    explicit PageView(QWidget* parent);

    void show(const Document* document, int page, double pixelsPerMillimetre);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const Document* document_ = nullptr;
    int page_ = 0;
    double scale_ = 1; // pixels per mm
};

} // namespace printing
