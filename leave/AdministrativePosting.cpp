#include "AdministrativePosting.h"

#include "DataModule.h"
#include "ExcessStep.h"
#include "UnitOfWork.h"
#include "WholeNumber.h"

namespace leave {

void postAdministrativeLeave(store::TDataModule1& book, const std::string& countText, const LeaveDate& date)
{
    const std::int32_t count = typedWholeNumber(countText);
    requireSelectedWorker(book);
    store::UnitOfWork work = book.beginWork(store::bookAction::administrative);

    book.TableM.Edit();
    book.TableMAdministrationPermit.SetAsInteger(store::addWholeNumbers(count, book.TableMAdministrationPermit.AsInteger()));
    book.TableM.Post();

    book.TablePermitAdmin.Insert();
    book.TablePermitAdminAdministrationPermit.SetAsInteger(count);
    book.TablePermitAdminDate.SetText(date.text());
    book.TablePermitAdminMonth.SetText(date.month);
    book.TablePermitAdmin.Post();

    const std::int32_t excess = storedExcess(book);
    book.TablePermitAdmin.Edit();
    book.TablePermitAdminExcessMonth.SetAsInteger(excess);
    book.TablePermitAdmin.Post();
    writeWorkerExcess(book, excess);

    work.commit();
}

} // namespace leave
