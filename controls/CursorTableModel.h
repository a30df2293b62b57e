#pragma once

#include "DataLink.h"
#include "GridColumn.h"
#include "KeyList.h"
#include "Row.h"

#include <QAbstractTableModel>

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

namespace store {
class Cursor;
class DataSource;
class Field;
} // namespace store

namespace controls {

// The records of a cursor's order and range as rows of a table, for a grid. It keeps only
// the ordered keys and reads a row's values when the row is shown, so a large table never
// loads whole. A pending new record shows as a row of its own, before the record it was
// begun on or after the last one; the row the cursor stands on shows the pending values.
class CursorTableModel : public QAbstractTableModel, private store::DataLink {
    Q_OBJECT
public:
    CursorTableModel(store::DataSource& source, std::vector<GridColumn> columns, QObject* parent);
    ~CursorTableModel() override;
    CursorTableModel(const CursorTableModel&) = delete;
    CursorTableModel& operator=(const CursorTableModel&) = delete;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    store::Cursor& cursor() const;
    const GridColumn& column(int number) const { return columns_[std::size_t(number)]; }
    store::Field& field(int column) const;
    // The row the cursor stands on, or -1 when it stands on none.
    int cursorRow() const { return cursorRow_; }
    // The key of a stored row; empty for the pending new row.
    std::optional<std::int32_t> keyAt(int row) const;
    // Records read from the table for showing, and full reads of the keys, since the model was made.
    std::int64_t recordsRead() const { return recordsRead_; }
    std::int64_t keyReads() const { return keyReads_; }
    // Reads the keys again when another cursor or program changed the table since.
    void catchUp() noexcept;
    // A list nobody sees follows nothing and reads nothing; once shown again it catches up
    // with all it missed in one read of the keys.
    void setShown(bool shown) noexcept;
    // The indicator mark shows toward the cells: at the left edge of a right-to-left grid.
    void setMirrored(bool mirrored);

signals:
    void cursorRowChanged();
    // The mark at a row's edge changed. Not told as a change of header data, at which a view
    // lays itself out and repaints itself anew, whole, titles and all.
    void rowMarkChanged(int row);

private:
    void recordChanged() override;
    void stateChanged() noexcept override;
    void dataSetChanged() noexcept override;
    void fieldChanged(const store::Field& changedField) override;
    void rowWritten(std::int32_t key, store::RowChange change, std::int64_t ownWrites) noexcept override;

    void reload() noexcept;
    // Whether an event must wait until the list is shown; noted, if so.
    bool unseen() noexcept;
    void followCursor() noexcept;
    // Whether the keys were read before the table last changed; unknown counts as no.
    bool keysStale() noexcept;
    // A read that failed: rows keep what they showed, no other read is tried until the
    // clerk's next action (a key or a click anywhere), which reads the list again, and
    // the clerk is told once.
    void readFailed(const std::exception& error) const noexcept;
    void resumeReads() noexcept;
    int newRowPosition() const;
    void placeCursorRow();
    const store::Row* storedRow(std::int32_t key) const;
    QString text(int row, int column) const;
    void emitRowChanged(int row);

    store::DataSource& source_;
    std::vector<GridColumn> columns_;
    std::vector<int> positions_; // each column's field position in the record
    KeyList keys_;
    int newRow_ = -1;              // where the pending new record shows, or -1
    int cursorRow_ = -1;
    bool showsPending_ = false; // the cursor row shows the pending change's values
    bool mirrored_ = false;
    bool shown_ = false;
    bool outOfStep_ = true; // events were missed while nobody saw the list, or a patch failed
    mutable std::int64_t recordsRead_ = 0;
    std::int64_t keyReads_ = 0;
    mutable bool readsHeld_ = false;
    struct ShownRow {
        store::Row values;
        bool stale = false; // to be read again, and shown meanwhile as it was
    };
    mutable std::unordered_map<std::int32_t, ShownRow> rowCache_;
};

} // namespace controls
