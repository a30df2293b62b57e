#include "TempBook.h"

#include "LocalBookConnection.h"

#include "Statement.h"
#include "StoreError.h"
#include "TableSetup.h"

#include <sqlite3.h>

#include <atomic>
#include <fstream>
#include <stdexcept>
#include <unistd.h>

namespace testing_support {

TempBook::TempBook()
{
    static std::atomic<int> counter{0};
    // The data root in a folder of its own, so what lands beside it (backups) goes too.
    root_ = std::filesystem::temp_directory_path()
            / ("ijazat-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++)) / "Data";
    std::filesystem::remove_all(root_.parent_path());
    const store::SetupReport report = store::createMissingTables(root_);
    if (report.created.size() != 5)
        throw std::runtime_error("could not create the test book");
}

TempBook::~TempBook()
{
    std::error_code ignored;
    std::filesystem::remove_all(root_.parent_path(), ignored);
}

std::unique_ptr<store::TDataModule1> TempBook::open(store::BookOptions options) const
{
    return std::make_unique<store::TDataModule1>(root_, std::move(options));
}

std::unique_ptr<store::BookConnection> connectionTo(const std::filesystem::path& root)
{
    return std::make_unique<store::LocalBookConnection>(root, store::BookOptions{});
}

BookContents readBook(const std::filesystem::path& root)
{
    BookContents contents;
    for (const store::TableDef* table : store::allTables()) {
        sqlite3* db = nullptr;
        if (sqlite3_open_v2(table->pathUnder(root).string().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
            sqlite3_close_v2(db);
            throw std::runtime_error("cannot read " + table->pathUnder(root).string());
        }
        {
            store::Statement rows(db, "SELECT * FROM " + store::sqlName(table->name) + " ORDER BY \"Auto\"");
            contents[std::string(table->name)] = recordsOf(rows, *table);
        }
        sqlite3_close_v2(db);
    }
    return contents;
}

std::vector<std::vector<std::string>> recordsOf(store::BookStatement& rows, const store::TableDef& table)
{
    std::vector<std::vector<std::string>> records;
    while (rows.step()) {
        std::vector<std::string> record;
        for (std::size_t i = 0; i < table.fields.size(); ++i)
            record.push_back(rows.isNull(int(i)) ? "<null>" : rows.text(int(i)));
        records.push_back(record);
    }
    return records;
}

std::int32_t addWorker(store::TDataModule1& book, const std::string& name, int yearPermit)
{
    book.TableM.Insert();
    book.TableMWorkerName.SetText(name);
    book.TableMYearPermit.SetAsInteger(yearPermit);
    book.TableM.Post();
    return book.TableMAuto.AsInteger();
}

void addEntry(store::Cursor& entries, const std::string& countField, int count)
{
    entries.Insert();
    entries.FieldByName(countField).SetAsInteger(count);
    entries.FieldByName("Date").SetText("01/02/2026");
    entries.Post();
}

void damageAPageNoOpeningReads(const std::filesystem::path& root, const store::TableDef& table, const std::string& index)
{
    const std::filesystem::path file = table.pathUnder(root);
    std::int64_t page = 0, pageSize = 0;
    {
        sqlite3* db = nullptr;
        sqlite3_open_v2(file.string().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
        store::Statement rootPage(db, index.empty()
                                          ? "SELECT rootpage FROM sqlite_master WHERE type = 'index' AND tbl_name = ?1"
                                          : "SELECT rootpage FROM sqlite_master WHERE type = 'index' AND name = ?1");
        rootPage.bind(1, index.empty() ? std::string(table.name) + "History" : index);
        store::Statement size(db, "PRAGMA page_size");
        if (rootPage.step() && size.step()) {
            page = rootPage.integer(0);
            pageSize = size.integer(0);
        }
        sqlite3_close(db);
    }
    if (page == 0)
        throw std::logic_error("no such index in " + file.string());
    std::fstream damage(file, std::ios::in | std::ios::out | std::ios::binary);
    damage.seekp((page - 1) * pageSize);
    damage << std::string(std::size_t(pageSize), '\x5a');
}

std::string thrownBy(const std::function<void()>& action)
{
    try {
        action();
    } catch (const store::StoreError& error) {
        return error.what();
    } catch (const std::exception& error) {
        return std::string("not a store error: ") + error.what();
    }
    return "nothing thrown";
}

} // namespace testing_support
