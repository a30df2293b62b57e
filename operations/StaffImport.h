#pragma once

#include <filesystem>
#include <iosfwd>

namespace store {
class TDataModule1;
}

namespace operations {

struct StaffImportOptions {
    bool dryRun = false;          // say what would be stored, store nothing
    bool allowDuplicates = false; // a name already in the book, or twice in the list, is kept
};

// Registers the workers of a staff list (CSV in UTF-8, UTF-16 or the Arabic Windows code
// page): a title row naming a name column and a start-of-service column ("اسم العامل" /
// "name", "بداية الخدمة" / "start"), and maybe an entitlement column ("الإستحقاق السنوي" /
// "entitlement"). Years of service and the entitlement follow the new-worker window's rule,
// from `thisYear`; an entitlement written in the list stands, and stands alone without a
// start year. A name the book, or the list, holds already however spelt is refused, looked
// for under the write lock. All or nothing: any bad row refuses the whole list, and every
// bad row is told with its line number and reason.
// Returns whether the list was taken; tells what it stored, would store, or refused on `out`.
bool importStaff(store::TDataModule1& book, const std::filesystem::path& list, int thisYear,
                 const StaffImportOptions& options, std::ostream& out);

} // namespace operations
