#include "DataModule.h"

#include "LocalBookConnection.h"

namespace store {

TDataModule1* DataModule1 = nullptr;

TDataModule1::TDataModule1(const std::filesystem::path& dataRoot, BookOptions options)
    : TDataModule1(std::make_unique<LocalBookConnection>(dataRoot, std::move(options)))
{
}

TDataModule1::TDataModule1(std::unique_ptr<BookConnection> connection)
    : connection_(std::move(connection)),
      TableM(*connection_, workerTable(), CursorOrder::ByAuto, "TableM"),
      TableMWN(*connection_, workerTable(), CursorOrder::ByWorkerName, "TableMWN"),
      TablePermitAdmin(*connection_, permitAdminTable(), CursorOrder::ByIndex, "TablePermitAdmin"),
      TablePermitHours(*connection_, permitHoursTable(), CursorOrder::ByIndex, "TablePermitHours"),
      TablePermitHealth(*connection_, permitHealthTable(), CursorOrder::ByIndex, "TablePermitHealth"),
      TablePermitNoHire(*connection_, permitNoHireTable(), CursorOrder::ByIndex, "TablePermitNoHire"),
      DataSourceM("DataSourceM", TableM),
      DataSourceMWN("DataSourceMWN", TableMWN),
      DataSourcePermitAdmin("DataSourcePermitAdmin", TablePermitAdmin),
      DataSourcePermitHours("DataSourcePermitHours", TablePermitHours),
      DataSourcePermitHealth("DataSourcePermitHealth", TablePermitHealth),
      DataSourcePermitNoHire("DataSourcePermitNoHire", TablePermitNoHire),
      TableMAuto(TableM.FieldByName("Auto")),
      TableMWorkerName(TableM.FieldByName("WorkerName")),
      TableMServesYears(TableM.FieldByName("ServesYears")),
      TableMServesStart(TableM.FieldByName("ServesStart")),
      TableMYearPermit(TableM.FieldByName("YearPermit")),
      TableMAdministrationPermit(TableM.FieldByName("AdministrationPermit")),
      TableMHorsPermit(TableM.FieldByName("HorsPermit")),
      TableMHealthPermit(TableM.FieldByName("HealthPermit")),
      TableMNoHire(TableM.FieldByName("NoHire")),
      TableMExcessMonth(TableM.FieldByName("ExcessMonth")),
      TableMHours(TableM.FieldByName("Hours")),
      TableMMinute(TableM.FieldByName("Minute")),
      TableMWNAuto(TableMWN.FieldByName("Auto")),
      TableMWNWorkerName(TableMWN.FieldByName("WorkerName")),
      TableMWNServesYears(TableMWN.FieldByName("ServesYears")),
      TableMWNServesStart(TableMWN.FieldByName("ServesStart")),
      TableMWNYearPermit(TableMWN.FieldByName("YearPermit")),
      TableMWNAdministrationPermit(TableMWN.FieldByName("AdministrationPermit")),
      TableMWNHorsPermit(TableMWN.FieldByName("HorsPermit")),
      TableMWNHealthPermit(TableMWN.FieldByName("HealthPermit")),
      TableMWNNoHire(TableMWN.FieldByName("NoHire")),
      TableMWNExcessMonth(TableMWN.FieldByName("ExcessMonth")),
      TableMWNHours(TableMWN.FieldByName("Hours")),
      TableMWNMinute(TableMWN.FieldByName("Minute")),
      TablePermitAdminAuto(TablePermitAdmin.FieldByName("Auto")),
      TablePermitAdminIndex(TablePermitAdmin.FieldByName("Index")),
      TablePermitAdminAdministrationPermit(TablePermitAdmin.FieldByName("AdministrationPermit")),
      TablePermitAdminExcessMonth(TablePermitAdmin.FieldByName("ExcessMonth")),
      TablePermitAdminDate(TablePermitAdmin.FieldByName("Date")),
      TablePermitAdminMonth(TablePermitAdmin.FieldByName("Month")),
      TablePermitHoursAuto(TablePermitHours.FieldByName("Auto")),
      TablePermitHoursIndex(TablePermitHours.FieldByName("Index")),
      TablePermitHoursHorsPermit(TablePermitHours.FieldByName("HorsPermit")),
      TablePermitHoursExcessMonth(TablePermitHours.FieldByName("ExcessMonth")),
      TablePermitHoursHours(TablePermitHours.FieldByName("Hours")),
      TablePermitHoursMinute(TablePermitHours.FieldByName("Minute")),
      TablePermitHoursDate(TablePermitHours.FieldByName("Date")),
      TablePermitHoursMonth(TablePermitHours.FieldByName("Month")),
      TablePermitHealthAuto(TablePermitHealth.FieldByName("Auto")),
      TablePermitHealthIndex(TablePermitHealth.FieldByName("Index")),
      TablePermitHealthHealthPermit(TablePermitHealth.FieldByName("HealthPermit")),
      TablePermitHealthDate(TablePermitHealth.FieldByName("Date")),
      TablePermitHealthMonth(TablePermitHealth.FieldByName("Month")),
      TablePermitNoHireAuto(TablePermitNoHire.FieldByName("Auto")),
      TablePermitNoHireIndex(TablePermitNoHire.FieldByName("Index")),
      TablePermitNoHireNoHire(TablePermitNoHire.FieldByName("NoHire")),
      TablePermitNoHireDate(TablePermitNoHire.FieldByName("Date")),
      TablePermitNoHireMonth(TablePermitNoHire.FieldByName("Month")),      permitAdminLink_(DataSourceM, TablePermitAdmin),
      permitHoursLink_(DataSourceM, TablePermitHours),
      permitHealthLink_(DataSourceM, TablePermitHealth),
      permitNoHireLink_(DataSourceM, TablePermitNoHire)
{
    TableMWorkerName.SetAlignment(FieldAlignment::Right);
    for (Cursor* cursor : cursors())
        cursor->Open();
}

std::array<Cursor*, 6> TDataModule1::cursors()
{
    return {&TableM, &TableMWN, &TablePermitAdmin, &TablePermitHours, &TablePermitHealth, &TablePermitNoHire};
}

UnitOfWork TDataModule1::beginWork(std::string_view action)
{
    const std::array<Cursor*, 6> all = cursors();
    return UnitOfWork(*connection_, std::vector<Cursor*>(all.begin(), all.end()), action);
}

} // namespace store
