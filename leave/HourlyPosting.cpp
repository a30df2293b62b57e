#include "HourlyPosting.h"

#include "DataModule.h"
#include "ExcessStep.h"
#include "HourlyCarry.h"
#include "UnitOfWork.h"
#include "WholeNumber.h"

namespace leave {

std::string hoursText(const store::Field& hours, const store::Field& minute)
{
    return rules::hoursText(hours.Text(), minute.Text());
}

void postHourlyLeave(store::TDataModule1& book, const std::string& hoursTyped, const std::string& minutesTyped,
                     const LeaveDate& date)
{
    const std::int32_t hours = typedWholeNumber(hoursTyped);
    const std::int32_t minutes = typedWholeNumber(minutesTyped);
    requireSelectedWorker(book);
    store::UnitOfWork work = book.beginWork(store::bookAction::hourly);

    // The sums are stored before any carry.
    book.TableM.Edit();
    book.TableMHours.SetAsInteger(store::addWholeNumbers(hours, book.TableMHours.AsInteger()));
    book.TableMMinute.SetAsInteger(store::addWholeNumbers(minutes, book.TableMMinute.AsInteger()));
    book.TableM.Post();

    rules::HourlyBalance balance{book.TableMAdministrationPermit.AsInteger(), book.TableMHours.AsInteger(),
                                book.TableMMinute.AsInteger()};
    rules::carryOnce(balance);
    book.TableM.Edit();
    book.TableMHours.SetAsInteger(store::storedWholeNumber(balance.hours));
    book.TableMMinute.SetAsInteger(store::storedWholeNumber(balance.minutes));
    if (balance.days != book.TableMAdministrationPermit.AsInteger())
        book.TableMAdministrationPermit.SetAsInteger(store::storedWholeNumber(balance.days));
    book.TableMHorsPermit.SetText(hoursText(book.TableMHours, book.TableMMinute));
    book.TableM.Post();

    book.TablePermitHours.Insert();
    book.TablePermitHoursHours.SetAsInteger(hours);
    book.TablePermitHoursMinute.SetAsInteger(minutes);
    book.TablePermitHoursDate.SetText(date.text());
    book.TablePermitHoursMonth.SetText(date.month);
    book.TablePermitHoursHorsPermit.SetText(hoursText(book.TablePermitHoursHours, book.TablePermitHoursMinute));
    book.TablePermitHours.Post();

    // The excess goes on the worker only: no administrative entry is marked, so an older
    // entry keeps its figure and no empty entry is made for a worker who has none.
    writeWorkerExcess(book, storedExcess(book));

    work.commit();
}

} // namespace leave
