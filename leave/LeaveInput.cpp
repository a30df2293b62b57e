#include "LeaveInput.h"

#include "DataModule.h"
#include "StoreError.h"
#include "WholeNumber.h"

namespace leave {

std::int32_t typedWholeNumber(const std::string& text)
{
    const std::optional<std::int32_t> number = store::parseWholeNumber(text);
    if (!number)
        throw ConversionError(store::notAWholeNumberMessage(text));
    return *number;
}

void requireSelectedWorker(const store::TDataModule1& book)
{
    if (!book.TableM.currentKey())
        throw store::StoreError("لم يُختر عامل تُحسب عليه الإجازة");
}

} // namespace leave
