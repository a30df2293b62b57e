#include "DaysPosting.h"

#include "DataModule.h"
#include "UnitOfWork.h"
#include "WholeNumber.h"

namespace leave {

void postDaysLeave(store::TDataModule1& book, DaysLeave kind, const std::string& countText, const LeaveDate& date)
{
    const bool sick = kind == DaysLeave::Sick;
    store::Field& total = sick ? book.TableMHealthPermit : book.TableMNoHire;
    store::Cursor& entries = sick ? book.TablePermitHealth : book.TablePermitNoHire;
    store::Field& entryCount = sick ? book.TablePermitHealthHealthPermit : book.TablePermitNoHireNoHire;
    store::Field& entryDate = sick ? book.TablePermitHealthDate : book.TablePermitNoHireDate;
    store::Field& entryMonth = sick ? book.TablePermitHealthMonth : book.TablePermitNoHireMonth;

    const std::int32_t count = typedWholeNumber(countText);
    requireSelectedWorker(book);
    store::UnitOfWork work = book.beginWork(sick ? store::bookAction::sick : store::bookAction::unpaid);

    book.TableM.Edit();
    total.SetAsInteger(store::addWholeNumbers(count, total.AsInteger()));
    book.TableM.Post();

    entries.Insert();
    entryCount.SetAsInteger(count);
    entryDate.SetText(date.text());
    entryMonth.SetText(date.month);
    entries.Post();

    work.commit();
}

} // namespace leave
