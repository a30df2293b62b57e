#pragma once

#include <QFont>
#include <QHash>
#include <QHeaderView>

namespace controls {

// The title row of a data-aware grid. A title too long for its column shows its beginning
// at the reading edge and is cut, with a mark, at the far end; centred, it would lose both
// ends. The marked column's title stands out, so even an empty grid shows where typing goes.
class GridTitles : public QHeaderView {
    Q_OBJECT
public:
    explicit GridTitles(QWidget* parent);

    // -1 marks none.
    void markSection(int logicalIndex);
    int markedSection() const { return marked_; }
    // The title as painted in its column's present width.
    QString shownTitle(int logicalIndex) const;

protected:
    void initStyleOptionForIndex(QStyleOptionHeader* option, int logicalIndex) const override;

private:
    // A title's fit in its column as last measured: repainting the titles at every move of
    // the cursor need not measure them again while their text, type and width stay.
    struct Fitted {
        QString text;
        QFont font;
        int room = 0;
        QString shown; // empty: the whole title fits
    };

    int marked_ = -1;
    mutable QHash<int, Fitted> fitted_;
};

} // namespace controls
