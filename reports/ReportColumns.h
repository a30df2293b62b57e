#pragma once

#include "GridColumn.h"

#include <vector>

// The eleven worker columns of the report windows' worker grids, the last two hidden:
// name, service, entitlement and every total. The two grids differ in widths and in the
// excess column's title.
struct WorkerColumnWidths {
    int name, years, start, entitlement, administrative, hourly, sick, unpaid, excess;
};
std::vector<controls::GridColumn> workerTotalsColumns(const WorkerColumnWidths& widths, const QString& excessTitle);
