#include "MasterLink.h"

#include "Cursor.h"
#include "DataSource.h"

namespace store {

MasterLink::MasterLink(DataSource& master, Cursor& detail) : master_(master), detail_(detail)
{
    master_.addLink(*this);
    detail_.attachMaster(this);
}

MasterLink::~MasterLink()
{
    detail_.attachMaster(nullptr);
    master_.removeLink(*this);
}

std::optional<std::int32_t> MasterLink::rangeValue() const
{
    return master_.DataSet().currentKey();
}

bool MasterLink::masterControlsDisabled() const
{
    return master_.DataSet().ControlsDisabled();
}

void MasterLink::controlsEnabled() noexcept
{
    detail_.catchUpControls();
}

void MasterLink::recordChanged()
{
    if (!detail_.Active())
        return;
    detail_.CheckBrowseMode();
    const std::optional<std::int32_t> range = rangeValue();
    // Re-posting the same worker leaves the entry cursor on the entry it stands on.
    if (range != detail_.range())
        detail_.applyRange(range);
}

void MasterLink::checkBrowseMode()
{
    if (detail_.Active())
        detail_.CheckBrowseMode();
}

} // namespace store
