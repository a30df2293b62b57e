#pragma once

#include <stdexcept>

namespace store {

// Every failure of the leave store: the table engine's own message, a refused field
// write, or an operation the cursor's state does not allow. Windows show what().
class StoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The refusal of a change to a record that another program deleted meanwhile.
inline constexpr const char* recordDeletedElsewhere = "حذف برنامج آخر هذا السجل من الدفتر، فلم يُحفظ عليه شيء";

} // namespace store
