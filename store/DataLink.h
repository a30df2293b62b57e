#pragma once

namespace store {

class Field;

// What a data source tells the controls and master links bound to it. Controls never
// poll a cursor; they react to these.
class DataLink {
public:
    virtual ~DataLink() = default;

    // The cursor stands on another record, or re-read the one it stands on, or began a change.
    virtual void recordChanged() {}
    // Browsing, inserting or editing changed.
    virtual void stateChanged() noexcept {}
    // A field of the current record was assigned.
    virtual void fieldChanged(const Field&) {}
    // Records were added, removed or re-read, or the cursor was put back after a failed
    // unit of work: everything shown may be stale.
    virtual void dataSetChanged() noexcept {}
    // Settling: hand any text typed but not yet committed over to its field.
    virtual void updateData() {}
    // Settling: linked entry cursors settle before the cursor itself does.
    virtual void checkBrowseMode() {}
};

} // namespace store
