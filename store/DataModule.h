#pragma once

#include "BookConnection.h"
#include "Cursor.h"
#include "DataSource.h"
#include "Field.h"
#include "MasterLink.h"
#include "UnitOfWork.h"

#include <array>
#include <filesystem>
#include <memory>

namespace store {

// Owns every database object of the leave book: the connection, the six shared cursors,
// their field objects and data sources, and the four master links of the entry cursors
// to TableM. Construction opens the cursors in their fixed order; the first table that
// cannot be opened throws StoreError out of the constructor and no later one is opened.
// Destruction drops any pending change unwritten.
class TDataModule1 {
public:
    // The book in the five local files under the data root.
    explicit TDataModule1(const std::filesystem::path& dataRoot, BookOptions options = {});
    // The book behind another connection: a database on a server.
    explicit TDataModule1(std::unique_ptr<BookConnection> connection);
    TDataModule1(const TDataModule1&) = delete;
    TDataModule1& operator=(const TDataModule1&) = delete;

    BookConnection& connection() { return *connection_; }
    // In their opening order.
    std::array<Cursor*, 6> cursors();
    // A unit of work over all five files and all six cursors, as the clerk action `action`.
    UnitOfWork beginWork(std::string_view action);

private:
    std::unique_ptr<BookConnection> connection_;

public:
    Cursor TableM;
    Cursor TableMWN;
    Cursor TablePermitAdmin;
    Cursor TablePermitHours;
    Cursor TablePermitHealth;
    Cursor TablePermitNoHire;

    DataSource DataSourceM;
    DataSource DataSourceMWN;
    DataSource DataSourcePermitAdmin;
    DataSource DataSourcePermitHours;
    DataSource DataSourcePermitHealth;
    DataSource DataSourcePermitNoHire;

    Field& TableMAuto;
    Field& TableMWorkerName;
    Field& TableMServesYears;
    Field& TableMServesStart;
    Field& TableMYearPermit;
    Field& TableMAdministrationPermit;
    Field& TableMHorsPermit;
    Field& TableMHealthPermit;
    Field& TableMNoHire;
    Field& TableMExcessMonth;
    Field& TableMHours;
    Field& TableMMinute;
    Field& TableMWNAuto;
    Field& TableMWNWorkerName;
    Field& TableMWNServesYears;
    Field& TableMWNServesStart;
    Field& TableMWNYearPermit;
    Field& TableMWNAdministrationPermit;
    Field& TableMWNHorsPermit;
    Field& TableMWNHealthPermit;
    Field& TableMWNNoHire;
    Field& TableMWNExcessMonth;
    Field& TableMWNHours;
    Field& TableMWNMinute;
    Field& TablePermitAdminAuto;
    Field& TablePermitAdminIndex;
    Field& TablePermitAdminAdministrationPermit;
    Field& TablePermitAdminExcessMonth;
    Field& TablePermitAdminDate;
    Field& TablePermitAdminMonth;
    Field& TablePermitHoursAuto;
    Field& TablePermitHoursIndex;
    Field& TablePermitHoursHorsPermit;
    Field& TablePermitHoursExcessMonth;
    Field& TablePermitHoursHours;
    Field& TablePermitHoursMinute;
    Field& TablePermitHoursDate;
    Field& TablePermitHoursMonth;
    Field& TablePermitHealthAuto;
    Field& TablePermitHealthIndex;
    Field& TablePermitHealthHealthPermit;
    Field& TablePermitHealthDate;
    Field& TablePermitHealthMonth;
    Field& TablePermitNoHireAuto;
    Field& TablePermitNoHireIndex;
    Field& TablePermitNoHireNoHire;
    Field& TablePermitNoHireDate;
    Field& TablePermitNoHireMonth;

private:
    MasterLink permitAdminLink_;
    MasterLink permitHoursLink_;
    MasterLink permitHealthLink_;
    MasterLink permitNoHireLink_;
};

// The program's one data module, created second at start-up and kept until the program ends.
extern TDataModule1* DataModule1;

} // namespace store
