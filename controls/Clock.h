#pragma once

#include <QDate>

namespace controls {

// Today by the local clock, unless a test fixed the date.
QDate today();
// An invalid date puts the local clock back.
void fixToday(const QDate& date);

} // namespace controls
