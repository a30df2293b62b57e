#pragma once

#include "Row.h"

#include <cstddef>
#include <utility>
#include <vector>

namespace store {

// The one change a cursor holds before it is posted: the record's values as edited (a new
// record's, or a copy of the stored one), which fields were assigned since the change began,
// whether any was (the changed flag: a change nothing was assigned to is dropped, not
// written), and whether a new record shows after the last one. Empty while browsing.
struct PendingChange {
    Row values;
    std::vector<bool> assigned;
    bool modified = false;
    bool appended = false;

    static PendingChange ofNewRecord(std::size_t fields, bool appended)
    {
        return {Row(fields), std::vector<bool>(fields, false), false, appended};
    }
    static PendingChange ofEdit(Row stored)
    {
        const std::size_t fields = stored.size();
        return {std::move(stored), std::vector<bool>(fields, false), false, false};
    }

    void assign(std::size_t position, FieldValue value)
    {
        values[position] = std::move(value);
        assigned[position] = true;
        modified = true;
    }
};

} // namespace store
