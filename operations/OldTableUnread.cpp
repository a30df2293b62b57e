#include "OldTable.h"

#include "Isolated.h"
#include "StoreError.h"
#include "Wording.h"

// The Windows build is made without the library that reads the old program's tables: an
// office moves in with the Linux build and carries the book's five files over.
namespace operations {

OldTable readOldTable(const std::filesystem::path& file, const store::TableDef&)
{
    throw store::StoreError(store::worded("OldTable", "لا تقرأ هذه النسخة من البرنامج جداول البرنامج القديم (%1): انقلها إلى "
                                                      "الدفتر بالأمر ijazat-book move-in في نسخة لينكس، ثم انسخ ملفات الدفتر "
                                                      "الخمسة إلى هذا الحاسوب")
                                .arg(store::isolatedLeftToRight(file.string())));
}

} // namespace operations
