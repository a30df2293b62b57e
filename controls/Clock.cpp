#include "Clock.h"

namespace controls {
namespace {

QDate& fixedDate()
{
    static QDate fixed;
    return fixed;
}

} // namespace

QDate today()
{
    return fixedDate().isValid() ? fixedDate() : QDate::currentDate();
}

void fixToday(const QDate& date)
{
    fixedDate() = date;
}

} // namespace controls
