#include "DataModule.h"
#include "FaultVfs.h"
#include "StoreError.h"
#include "TempBook.h"

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

using testing_support::FaultVfs;
using testing_support::TempBook;
using testing_support::thrownBy;

namespace {

std::string isolated(const std::string& text, const char* opening = "\u2066")
{
    return opening + text + "\u2069";
}

std::string firstName(const std::filesystem::path& root)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2((root / "worker/worker.db").c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* read = nullptr;
    sqlite3_prepare_v2(db, "SELECT WorkerName FROM worker ORDER BY Auto LIMIT 1", -1, &read, nullptr);
    const std::string name = sqlite3_step(read) == SQLITE_ROW ? reinterpret_cast<const char*>(sqlite3_column_text(read, 0)) : "";
    sqlite3_finalize(read);
    sqlite3_close(db);
    return name;
}

void renameFirstWorker(store::TDataModule1& book)
{
    book.TableM.First();
    book.TableM.Edit();
    book.TableMWorkerName.SetText("سالم");
    book.TableM.Post();
}

} // namespace

// The table engine's common failures, as the clerk reads them: what happened in Arabic,
// the file (or the book's folder, for a unit of work's begin) isolated left to right, and
// the engine's own text last, in brackets.
TEST(EngineMessages, SayWhatHappenedToWhichFileThenTheEnginesOwnText)
{
    // What a posting meets while another program, having run `sql`, holds the worker file.
    const auto lockedBy = [](const char* sql) {
        return [sql](TempBook& book) {
            auto ours = book.open({"", 20});
            sqlite3* other = nullptr;
            sqlite3_open((book.root() / "worker/worker.db").c_str(), &other);
            sqlite3_exec(other, sql, nullptr, nullptr, nullptr);
            const std::string said = thrownBy([&] { renameFirstWorker(*ours); });
            sqlite3_close(other);
            return said;
        };
    };
    FaultVfs::install();
    const struct {
        const char* what;
        std::function<std::string(TempBook&)> fail; // the message, once the failure is arranged
        const char* said;
        std::string file; // below the data root; empty: the data root itself
        const char* engineText;
    } cases[] = {
        {"another program holds the lock", lockedBy("BEGIN IMMEDIATE"), "مقفل: يستعمله برنامج آخر", "", "database is locked"},
        {"another program only reads", lockedBy("BEGIN; SELECT count(*) FROM worker"), "مقفل: يستعمله برنامج آخر", "",
         "database is locked"},
        {"a read-only disk",
         [](TempBook& book) {
             FaultVfs::openReadOnly(true);
             auto ours = book.open({FaultVfs::name, 20});
             FaultVfs::openReadOnly(false);
             return thrownBy([&] { renameFirstWorker(*ours); });
         },
         "للقراءة فقط", "worker/worker.db", "attempt to write a readonly database"},
        {"a full disk",
         [](TempBook& book) {
             auto ours = book.open({FaultVfs::name, 20});
             FaultVfs::failAt(1, SQLITE_FULL);
             const std::string said = thrownBy([&] { renameFirstWorker(*ours); });
             FaultVfs::reset();
             return said;
         },
         "القرص ممتلئ", "worker/worker.db", "database or disk is full"},
        {"a damaged file",
         [](TempBook& book) {
             std::ofstream(book.root() / "PermitHours/PermitHours.DB", std::ios::trunc) << std::string(4096, 'x');
             return thrownBy([&] { book.open(); });
         },
         "تالف", "PermitHours/PermitHours.DB", "file is not a database"},
    };
    for (const auto& failure : cases) {
        SCOPED_TRACE(failure.what);
        TempBook book;
        testing_support::addWorker(*book.open(), "أحمد");
        const std::string said = failure.fail(book);
        const std::filesystem::path where = failure.file.empty() ? book.root() : book.root() / failure.file;
        EXPECT_NE(said.find(failure.said), std::string::npos) << said;
        EXPECT_NE(said.find(isolated(where.string())), std::string::npos) << said;
        const std::string engine = "(" + isolated(failure.engineText) + ")";
        EXPECT_EQ(said.substr(said.size() - std::min(said.size(), engine.size())), engine) << said;
        EXPECT_EQ(firstName(book.root()), "أحمد") << "nothing stored";
    }
}

// The store's own refusals speak Arabic, and what the clerk typed or pasted stays inside
// its isolate: an override pasted into a name cannot turn the rest of the message around.
TEST(EngineMessages, OwnRefusalsSpeakArabicAndIsolateWhatWasTyped)
{
    TempBook book;
    auto dm = book.open();
    testing_support::addWorker(*dm, "أحمد");
    dm->TableM.Edit();
    const std::string pasted = "\u202Eعلي ☺";
    EXPECT_EQ(thrownBy([&] { dm->TableMWorkerName.SetText(pasted); }),
              "في النص «" + isolated(pasted, "\u2068") + "» حرف لا يحفظه الدفتر في الحقل " + isolated("WorkerName"));
    EXPECT_EQ(thrownBy([&] { dm->TableMServesYears.SetAsInteger(std::int64_t(1) << 40); }),
              "العدد " + isolated("1099511627776") + " خارج حدود الأعداد الصحيحة التي يتسع لها الحقل "
                  + isolated("ServesYears") + " (من " + isolated("-2147483648") + " إلى " + isolated("2147483647") + ")");
    dm->TableM.Cancel();
}
