#pragma once

#include "DataLink.h"
#include "Field.h"
#include "PendingChange.h"
#include "Row.h"
#include "Schema.h"
#include "TableAccess.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace store {

class BookConnection;
class DataLink;
class DataSource;
class MasterLink;

enum class CursorState { Closed, Browsing, Inserting, Editing };

// Everything a cursor holds in memory, kept by a unit of work to put the cursor back.
struct CursorSnapshot {
    CursorState state = CursorState::Closed;
    std::optional<Row> current;
    PendingChange pending;
    bool bof = true;
    bool eof = true;
    std::optional<std::int32_t> range;
};

// A cursor over one table of the book. It stands on one record (or none), moves by seeks
// through its order, and holds at most one pending change (a new record, or an edit of
// the current one) together with a changed flag. Every move and every new change first
// settles the cursor: linked entry cursors settle, bound controls hand over their typed
// text, and the pending change is posted when a field was assigned, else dropped.
// Every failure throws StoreError and leaves the state and the pending change as they were.
class Cursor {
public:
    Cursor(BookConnection& connection, const TableDef& table, CursorOrder order, std::string name);
    ~Cursor();
    Cursor(const Cursor&) = delete;
    Cursor& operator=(const Cursor&) = delete;

    const std::string& name() const { return name_; }
    BookConnection& connection() const { return connection_; }
    const TableDef& table() const { return access_.table(); }
    CursorState State() const { return state_; }
    bool Active() const { return state_ != CursorState::Closed; }

    // Opens the table (StoreError when it cannot) and stands on the first record; an entry
    // cursor on the first entry of its master's current worker.
    void Open();
    // Drops any pending change unwritten.
    void Close();

    void First();
    void Next();
    void Prior();
    void Last();
    // Moves by a signed number of records, stopping at either end; returns how far it moved.
    int MoveBy(int distance);

    bool Bof() const { return bof_; }
    bool Eof() const { return eof_; }
    bool IsEmpty() const { return !current_ && state_ != CursorState::Inserting; }
    bool CanModify() const { return Active(); }

    void Insert();
    void Append();
    void Edit();
    // REQUIRES: inserting or editing.
    void Post();
    void Cancel();
    // REQUIRES: a current record, or a new one (which is dropped).
    void Delete();
    void Refresh();
    // By Auto: stands on that record and returns true, or stays and returns false.
    bool FindKey(std::int32_t key);
    // REQUIRES: the ByWorkerName order.
    void FindNearest(std::string_view text);
    // Settles the cursor (the browse-mode check).
    void CheckBrowseMode();

    // While disabled (the calls nest), controls bound to the cursor, and to the entry
    // cursors that follow it, are not told of their moves and changes, so a batch walk does
    // not drag every grid along; master links still follow. The last EnableControls tells
    // the controls, once, that everything changed.
    void DisableControls() { ++controlsDisabled_; }
    void EnableControls() noexcept;
    bool ControlsDisabled() const;

    bool Modified() const { return pending_.modified; }
    // Whether the pending new record shows after the last record rather than before the current one.
    bool Appended() const { return pending_.appended; }
    // The Auto of the stored record stood on; empty when none, or while inserting.
    std::optional<std::int32_t> currentKey() const;
    // The Auto of the stored record stood on or, while inserting, the one the new record
    // shows before and returns to on cancel; empty when there is none.
    std::optional<std::int32_t> standingKey() const;

    // For controls that list the cursor's records: the Auto of every record in the
    // cursor's order and range, and one record as stored, read without moving the cursor.
    std::vector<std::int32_t> keysInOrder() const;
    // The Auto of the record before the current one in the cursor's order; empty when none.
    std::optional<std::int32_t> keyBeforeCurrent() const;
    std::optional<Row> storedRecord(std::int32_t key) const;
    // Grows whenever the records of the cursor's table change, written through any cursor
    // or by another program, so a list of keys can tell it has gone stale.
    std::int64_t tableChanges() const;

    Field& FieldByName(std::string_view fieldName) const;
    const std::vector<std::unique_ptr<Field>>& Fields() const { return fields_; }

    CursorSnapshot snapshot() const;
    // Puts back a snapshot without touching the files; tells the links only that everything changed.
    void restore(const CursorSnapshot& snapshot);

private:
    friend class Field;
    friend class DataSource;
    friend class MasterLink;

    const FieldValue& value(int position) const;
    void assign(const Field& field, FieldValue value);
    void addSource(DataSource& source);
    void removeSource(DataSource& source);
    void attachMaster(MasterLink* link) { master_ = link; }
    const std::optional<std::int32_t>& range() const { return range_; }
    void applyRange(std::optional<std::int32_t> range);

    void requireOpen() const;
    void settleDetails();
    void handOver();
    void write();
    void dropChange();
    void beginInsert(bool appended);
    template <typename Event> void notify(Event event) const;
    // Tells master links always, and controls unless they are disabled.
    template <typename Event> void notifyShown(Event event) const;
    // Once no longer disabled, tells the controls what they missed, and the entry cursors
    // that followed to tell theirs.
    void catchUpControls() noexcept;
    void notifyState() const;
    void notifyRecord() const;
    void notifyDataSet() const;
    void notifyWritten(std::int32_t key, RowChange change, std::int64_t writesBefore) const;

    bool seesRecords() const;
    std::optional<Row> seekFirst() const;
    std::optional<Row> seekLast() const;
    std::vector<Row> seekAfter(const Row& from, int count) const;
    std::vector<Row> seekBefore(const Row& from, int count) const;
    // The record after one that is gone, or the last one when nothing follows it.
    std::optional<Row> followerOrLast(const Row& gone, bool& wasLast) const;

    BookConnection& connection_;
    TableAccess access_;
    std::string name_;
    std::vector<std::unique_ptr<Field>> fields_;
    std::vector<DataSource*> sources_;
    MasterLink* master_ = nullptr;

    CursorState state_ = CursorState::Closed;
    std::optional<Row> current_; // as stored; while inserting, the record to return to
    PendingChange pending_;
    bool bof_ = true;
    bool eof_ = true;
    std::optional<std::int32_t> range_; // the Index an entry cursor shows; empty shows nothing
    int controlsDisabled_ = 0;
    mutable bool controlsMissedEvents_ = false;
};

// Disables a cursor's controls for a scope: a batch walk's guard.
class ControlsDisabled {
public:
    explicit ControlsDisabled(Cursor& cursor) : cursor_(cursor) { cursor_.DisableControls(); }
    ~ControlsDisabled() { cursor_.EnableControls(); }
    ControlsDisabled(const ControlsDisabled&) = delete;
    ControlsDisabled& operator=(const ControlsDisabled&) = delete;

private:
    Cursor& cursor_;
};

} // namespace store
