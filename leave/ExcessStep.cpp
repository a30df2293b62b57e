#include "ExcessStep.h"

#include "DataModule.h"
#include "Excess.h"
#include "Isolated.h"
#include "StoreError.h"

#include <limits>
#include <string>

namespace leave {

std::int32_t storedExcess(const store::TDataModule1& book)
{
    // Worked out wide: a total and an entitlement of opposite signs may differ by more than 32 bits hold.
    const std::int64_t excess = rules::excessDays(book.TableMAdministrationPermit.AsInteger(), book.TableMYearPermit.AsInteger());
    if (excess > std::numeric_limits<std::int32_t>::max())
        throw store::StoreError("التجاوز " + store::isolatedLeftToRight(std::to_string(excess))
                                + " يوماً أكبر مما يتسع له الحقل " + store::isolatedLeftToRight("ExcessMonth"));
    return std::int32_t(excess);
}

void writeWorkerExcess(store::TDataModule1& book, std::int32_t excess)
{
    book.TableM.Edit();
    book.TableMExcessMonth.SetAsInteger(excess);
    book.TableM.Post();
}

} // namespace leave
