#include "HourlyPosting.h"

#include "DataModule.h"
#include "ExcessStep.h"
#include "UnitOfWork.h"
#include "WholeNumber.h"

namespace leave {
namespace {

constexpr std::int32_t minutesInAnHour = 60;
constexpr std::int32_t hoursInADay = 8;

} // namespace

std::string hoursText(const store::Field& hours, const store::Field& minute)
{
    return hours.Text() + "." + minute.Text();
}

void postHourlyLeave(store::TDataModule1& book, const std::string& hoursTyped, const std::string& minutesTyped,
                     const LeaveDate& date)
{
    const std::int32_t hours = typedWholeNumber(hoursTyped);
    const std::int32_t minutes = typedWholeNumber(minutesTyped);
    requireSelectedWorker(book);
    store::UnitOfWork work = book.beginWork();

    // The sums are stored before any carry.
    book.TableM.Edit();
    book.TableMHours.SetAsInteger(store::addWholeNumbers(hours, book.TableMHours.AsInteger()));
    book.TableMMinute.SetAsInteger(store::addWholeNumbers(minutes, book.TableMMinute.AsInteger()));
    book.TableM.Post();

    const std::int32_t balanceMinutes = book.TableMMinute.AsInteger();
    book.TableM.Edit();
    if (balanceMinutes >= minutesInAnHour) {
        book.TableMHours.SetAsInteger(store::addWholeNumbers(book.TableMHours.AsInteger(), 1));
        book.TableMMinute.SetAsInteger(balanceMinutes - minutesInAnHour);
    }
    const std::int32_t balanceHours = book.TableMHours.AsInteger();
    if (balanceHours >= hoursInADay) {
        book.TableMAdministrationPermit.SetAsInteger(
            store::addWholeNumbers(book.TableMAdministrationPermit.AsInteger(), 1));
        book.TableMHours.SetAsInteger(balanceHours - hoursInADay);
    }
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
