#pragma once

#include <cstdint>

namespace store {

class Field;

enum class RowChange { Added, Changed, Removed };

// What a data source tells the controls and master links bound to it. Controls never
// poll a cursor; they react to these.
class DataLink {
public:
    virtual ~DataLink() = default;

    // A control shows the cursor and pauses while a batch walk drives it (DisableControls);
    // a link that keeps another cursor in step, a master link, follows every move.
    virtual bool isControl() const { return true; }

    // The cursor stands on another record, or re-read the one it stands on, or began a change.
    virtual void recordChanged() {}
    // Browsing, inserting or editing changed.
    virtual void stateChanged() noexcept {}
    // A field of the current record was assigned.
    virtual void fieldChanged(const Field&) {}
    // The cursor wrote one record: the one it now stands on when added or changed. The
    // writes it took count in the table's change count (`ownWrites` of them), so a list
    // that applies the change itself stays in step without reading every key again.
    virtual void rowWritten(std::int32_t /*key*/, RowChange, std::int64_t /*ownWrites*/) noexcept {}
    // Records were added, removed or re-read, or the cursor was put back after a failed
    // unit of work: everything shown may be stale.
    virtual void dataSetChanged() noexcept {}
    // The cursor's controls were disabled and are told again (see Cursor::EnableControls).
    virtual void controlsEnabled() noexcept {}
    // Settling: hand any text typed but not yet committed over to its field.
    virtual void updateData() {}
    // Settling: linked entry cursors settle before the cursor itself does.
    virtual void checkBrowseMode() {}
};

} // namespace store
