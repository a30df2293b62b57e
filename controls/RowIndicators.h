#pragma once

#include <QHeaderView>

namespace controls {

// The column at a data-aware grid's edge that marks the current row: as wide as its mark and
// as tall as a row, whatever the rows say. Its size is never measured from the rows, which
// every move of the cursor would otherwise make the grid do again. A mark once painted is
// kept, as every row's mark is painted anew whenever the rows scroll.
class RowIndicators : public QHeaderView {
    Q_OBJECT
public:
    RowIndicators(QWidget* parent, int width, int rowHeight);

    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
};

} // namespace controls
