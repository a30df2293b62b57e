#include "ReportColumns.h"

using namespace Qt::Literals::StringLiterals;

std::vector<controls::GridColumn> workerTotalsColumns(const WorkerColumnWidths& widths, const QString& excessTitle)
{
    const QColor titles(Qt::blue);
    // The titles of the administrative and sick columns begin with a blank, as they always have.
    return {
        {"WorkerName", u"اسم العامل"_s, widths.name, QColor(0xFF, 0xF0, 0xF0), titles, {}},
        {"ServesYears", u"سنوات الخدمة"_s, widths.years, QColor(0xFF, 0xFF, 0xF0), titles, {}},
        {"ServesStart", u"بداية الخدمة"_s, widths.start, QColor(0xE8, 0xFF, 0xE8), titles, {}},
        {"YearPermit", u"الإستحقاق السنوي"_s, widths.entitlement, QColor(0xEA, 0xFF, 0xFF), titles, {}},
        {"AdministrationPermit", u" إدارية"_s, widths.administrative, QColor(0xFC, 0xF8, 0xF8), titles, {}},
        {"HorsPermit", u"ساعية"_s, widths.hourly, QColor(0xFF, 0xF9, 0xF2), titles, {}},
        {"HealthPermit", u" صحية"_s, widths.sick, QColor(0xFF, 0xF4, 0xFF), titles, {}},
        {"NoHire", u"بلا أجر"_s, widths.unpaid, QColor(0xFA, 0xF4, 0xFF), titles, {}},
        {"ExcessMonth", excessTitle, widths.excess, QColor(0xF7, 0xF7, 0xF7), titles, {}},
        {"Minute", QString(), {}, {}, {}, {}, true},
        {"Hours", QString(), {}, {}, {}, {}, true},
    };
}
