// The four-step postings of the leave windows, with the whole program built over the book
// as the clerk has it (its lists hidden behind the leave window), against the same writes
// done with bare prepared statements in one transaction, on books of 10,000 and 100,000 workers.
#include "AdministrativePosting.h"
#include "BuiltOnFirstNeed.h"
#include "CountedBoxes.h"
#include "DataModule.h"
#include "HourlyPosting.h"
#include "LargeBook.h"
#include "ProgramObjects.h"
#include "Unitadministrationpermit.h"
#include "Unithourspermit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>


#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>


namespace {

using namespace bench_book;

const leave::LeaveDate december9{"09", "12", "2026"};

std::int32_t chargedWorker(const benchmark::State& state)
{
    return std::int32_t(state.range(0) / 2);
}

// The program over the book of the benchmark's size, with the two leave windows the postings
// are made from built, as they are once the clerk has opened them.
struct Program {
    explicit Program(const benchmark::State& state)
    {
        objects.build(writableBook(int(state.range(0))));
        controls::built(FormAdministrationPermit);
        controls::built(FormHoursPermit);
        // The book's pages are read through once the program shows, a fraction of a second no
        // clerk can post within; the first posting would otherwise time that read.
        while (!book().connection().pageProof().answered)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    store::TDataModule1& book() const { return *store::DataModule1; }
    CountedBoxes boxes;
    ProgramObjects objects;
};

// Each posting timed, to tell the slowest beside the median: a clerk feels the slowest, and
// the slowest of the same statements bare says how much of it is the disk's own.
class PostingTimes {
public:
    template <typename Posting>
    void time(Posting&& posting)
    {
        const auto start = std::chrono::steady_clock::now();
        posting();
        took_.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    void tell(benchmark::State& state)
    {
        std::sort(took_.begin(), took_.end());
        state.counters["median_ms"] = took_[took_.size() / 2];
        state.counters["slowest_ms"] = took_.back();
    }

private:
    std::vector<double> took_;
};

void AdministrativePosting(benchmark::State& state)
{
    const Program program(state);
    program.book().TableM.FindKey(chargedWorker(state));
    PostingTimes times;
    for (auto _ : state)
        times.time([&] { leave::postAdministrativeLeave(program.book(), "1", december9); });
    times.tell(state);
}
BENCHMARK(AdministrativePosting)->Arg(workers)->Arg(manyWorkers)->Unit(benchmark::kMillisecond);

// A worker's name typed into the administrative window's name box a key at a time, each
// key timed until what it changed is painted (the box, and the list on the nearest worker),
// beside the bare seek of the same typed text in the name index.
QString typedName(int count)
{
    return QString::fromStdString(nameOf(count / 3, count));
}

void KeystrokeInTheNameBox(benchmark::State& state)
{
    const Program program(state);
    TFormAdministrationPermit& window = *FormAdministrationPermit;
    window.show();
    QApplication::processEvents();
    const QString name = typedName(int(state.range(0)));
    qsizetype typed = 0;
    for (auto _ : state) {
        if (typed == name.size()) {
            state.PauseTiming();
            window.Edit1->clear();
            QApplication::processEvents();
            typed = 0;
            state.ResumeTiming();
        }
        QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(name[typed++]));
        QApplication::sendEvent(window.Edit1, &key);
        QApplication::processEvents(); // what the key made dirty painted, as the clerk sees it
    }
    window.hide();
}
BENCHMARK(KeystrokeInTheNameBox)->Arg(workers)->Arg(manyWorkers)->Unit(benchmark::kMicrosecond);

void BareSeekOfTheTypedName(benchmark::State& state)
{
    BareBook bare(int(state.range(0)));
    store::Statement seek(bare.db, "SELECT * FROM worker WHERE WorkerName >= ?1 ORDER BY WorkerName, Auto LIMIT 1");
    const QString name = typedName(int(state.range(0)));
    qsizetype typed = 0;
    for (auto _ : state) {
        typed = typed == name.size() ? 1 : typed + 1;
        seek.bind(1, std::string_view(name.left(typed).toStdString()));
        if (seek.step())
            readAll(seek, 12);
        seek.reset();
    }
}
BENCHMARK(BareSeekOfTheTypedName)->Arg(workers)->Arg(manyWorkers)->Unit(benchmark::kMicrosecond);

// The second argument: 1 with the book's history recorded by its triggers, 0 without them.
void BareAdministrativePosting(benchmark::State& state)
{
    BareBook bare(int(state.range(0)), state.range(1) ? History::Recorded : History::Unrecorded);
    const std::int32_t charged = chargedWorker(state);
    store::Statement begin(bare.db, "BEGIN IMMEDIATE");
    store::Statement commit(bare.db, "COMMIT");
    store::Statement read(bare.db, "SELECT ifnull(AdministrationPermit, 0), ifnull(YearPermit, 0) FROM worker "
                                   "WHERE Auto = ?1");
    store::Statement total(bare.db, "UPDATE worker SET AdministrationPermit = ?2 WHERE Auto = ?1");
    store::Statement entry(bare.db, "INSERT INTO PermitAdmin.PermitAdmin (\"Index\", AdministrationPermit, \"Date\", "
                                    "\"Month\") VALUES (?1, 1, ?2, ?3)");
    store::Statement entryExcess(bare.db, "UPDATE PermitAdmin.PermitAdmin SET ExcessMonth = ?2 WHERE Auto = ?1");
    store::Statement workerExcess(bare.db, "UPDATE worker SET ExcessMonth = ?2 WHERE Auto = ?1");
    PostingTimes times;
    for (auto _ : state) {
        times.time([&] {
            begin.step();
            begin.reset();
            read.bind(1, charged);
            read.step();
            const std::int64_t days = read.integer(0) + 1;
            const std::int64_t excess = std::max<std::int64_t>(0, days - read.integer(1));
            read.reset();
            total.bind(1, charged);
            total.bind(2, days);
            total.step();
            total.reset();
            entry.bind(1, charged);
            entry.bind(2, std::string_view("09/12/2026"));
            entry.bind(3, std::string_view("12"));
            entry.step();
            entry.reset();
            entryExcess.bind(1, sqlite3_last_insert_rowid(bare.db));
            entryExcess.bind(2, excess);
            entryExcess.step();
            entryExcess.reset();
            workerExcess.bind(1, charged);
            workerExcess.bind(2, excess);
            workerExcess.step();
            workerExcess.reset();
            commit.step();
            commit.reset();
        });
    }
    times.tell(state);
}
BENCHMARK(BareAdministrativePosting)
    ->Args({workers, 1})
    ->Args({workers, 0})
    ->Args({manyWorkers, 1})
    ->Args({manyWorkers, 0})
    ->Unit(benchmark::kMillisecond);

void HourlyPosting(benchmark::State& state)
{
    const Program program(state);
    program.book().TableM.FindKey(chargedWorker(state) + 1);
    for (auto _ : state)
        leave::postHourlyLeave(program.book(), "2", "30", december9);
}
BENCHMARK(HourlyPosting)->Arg(workers)->Arg(manyWorkers)->Unit(benchmark::kMillisecond);

void BareHourlyPosting(benchmark::State& state)
{
    BareBook bare(int(state.range(0)));
    const std::int32_t worker = chargedWorker(state) + 1;
    store::Statement begin(bare.db, "BEGIN IMMEDIATE");
    store::Statement commit(bare.db, "COMMIT");
    store::Statement read(bare.db, "SELECT ifnull(Hours, 0), ifnull(Minute, 0), ifnull(AdministrationPermit, 0), "
                                   "ifnull(YearPermit, 0) FROM worker WHERE Auto = ?1");
    store::Statement sums(bare.db, "UPDATE worker SET Hours = ?2, Minute = ?3 WHERE Auto = ?1");
    store::Statement carried(bare.db, "UPDATE worker SET Hours = ?2, Minute = ?3, AdministrationPermit = ?4, "
                                      "HorsPermit = ?5 WHERE Auto = ?1");
    store::Statement entry(bare.db, "INSERT INTO PermitHours.PermitHours (\"Index\", Hours, Minute, \"Date\", "
                                    "\"Month\", HorsPermit) VALUES (?1, 2, 30, ?2, ?3, '2.30')");
    store::Statement workerExcess(bare.db, "UPDATE worker SET ExcessMonth = ?2 WHERE Auto = ?1");
    for (auto _ : state) {
        begin.step();
        begin.reset();
        read.bind(1, worker);
        read.step();
        std::int64_t hours = read.integer(0) + 2, minutes = read.integer(1) + 30, days = read.integer(2);
        const std::int64_t entitlement = read.integer(3);
        read.reset();
        sums.bind(1, worker);
        sums.bind(2, hours);
        sums.bind(3, minutes);
        sums.step();
        sums.reset();
        if (minutes >= 60) {
            ++hours;
            minutes -= 60;
        }
        if (hours >= 8) {
            ++days;
            hours -= 8;
        }
        const std::string text = (std::to_string(hours) + "." + std::to_string(minutes)).substr(0, 5);
        carried.bind(1, worker);
        carried.bind(2, hours);
        carried.bind(3, minutes);
        carried.bind(4, days);
        carried.bind(5, text);
        carried.step();
        carried.reset();
        entry.bind(1, worker);
        entry.bind(2, std::string_view("09/12/2026"));
        entry.bind(3, std::string_view("12"));
        entry.step();
        entry.reset();
        workerExcess.bind(1, worker);
        workerExcess.bind(2, std::max<std::int64_t>(0, days - entitlement));
        workerExcess.step();
        workerExcess.reset();
        commit.step();
        commit.reset();
    }
}
BENCHMARK(BareHourlyPosting)->Arg(workers)->Arg(manyWorkers)->Unit(benchmark::kMillisecond);

} // namespace
