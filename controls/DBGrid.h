#pragma once

#include "CursorTableModel.h"
#include "DataLink.h"
#include "GridColumn.h"

#include <QTableView>

#include <vector>

namespace store {
class Cursor;
class DataSource;
} // namespace store

namespace controls {

class FieldLineEdit;
class GridTitles;

struct GridOptions {
    bool readOnly = false;  // no typing, no new, changed or deleted records
    bool wholeRows = false; // the current row shows selected as a whole
};

// A grid over a data source's cursor: one row per record of the cursor's order, a title
// row, an indicator of the current row and its state, and columns the user may resize.
// Every move of the current row moves the cursor (settling it first) and every move of the
// cursor moves the current row. An editable grid edits the cell under the current row and
// column in a box of its own; see keyPressEvent for its keys.
class DBGrid : public QTableView, private store::DataLink {
    Q_OBJECT
public:
    DBGrid(QWidget* parent, const QString& objectName, store::DataSource& source, std::vector<GridColumn> columns,
           GridOptions options);
    ~DBGrid() override;
    DBGrid(const DBGrid&) = delete;
    DBGrid& operator=(const DBGrid&) = delete;

    CursorTableModel& rows() const { return *model_; }
    int currentColumn() const { return currentColumn_; }
    // The box a cell is typed into while it is open, else hidden.
    FieldLineEdit& cellEditor() const { return *editor_; }
    bool isEditingCell() const;
    // The grid's own colour, behind and beyond the cells, the title row's empty end included.
    void setColour(const QColor& colour);

signals:
    // A click on a cell of a record, once the cursor stands on it.
    void cellClicked(int column);
    void keyReleased(int key);

protected:
    // Up, Down, Page Up, Page Down, Ctrl+Home and Ctrl+End move the cursor; Left, Right,
    // Home and End the current column; Tab and Shift+Tab go from cell to cell and on to the
    // next or previous row, and never leave the grid. An editable grid also takes F2 and
    // Enter (open, commit the cell), typing (opens the cell with the key typed), Insert
    // (a new record before the current one), Down or Tab on the last row (a new record after
    // it), Escape (undo the typing, else drop the pending change) and Ctrl+Delete.
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void updateGeometries() override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void recordChanged() override;
    void dataSetChanged() noexcept override;
    void updateData() override;

    store::Cursor& cursor() const;
    bool editable() const { return !options_.readOnly; }
    bool handleKey(const QKeyEvent& event);
    void followCursor() noexcept;
    void placeEditor() noexcept;
    void goToRow(int row);
    void goToColumn(int column);
    bool moveUp();
    bool moveDown();
    void pageBy(int direction);
    // The first column from `from` on, going by `step`, that is not hidden; -1 when none.
    int shownColumn(int from, int step) const;
    void nextCell();
    void priorCell();
    void escape();
    void deleteRecord();
    void openCell();
    void commitCell();
    void closeCell() noexcept;
    void beginChange();
    void cellTyped();
    void leave();
    bool ownsFocus(const QWidget* widget) const;
    // Whether the pending new record has been given anything, in a field or in the open cell.
    bool touched() const;

    store::DataSource& source_;
    GridOptions options_;
    CursorTableModel* model_;
    FieldLineEdit* editor_;
    GridTitles* titles_;
    int currentColumn_ = 0;
    int editedColumn_ = -1; // the column of the open cell, or -1
    bool cellTyping_ = false; // the open cell holds typing not yet in its field
    bool beginningChange_ = false;
    bool following_ = false;
    QModelIndex pressed_;
};

} // namespace controls
