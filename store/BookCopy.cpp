#include "BookCopy.h"

#include "BookConnection.h"
#include "ClosedYears.h"
#include "History.h"
#include "LocalBookConnection.h"
#include "StoreError.h"
#include "TableSetup.h"

#include <algorithm>

namespace store {

void openEveryTable(BookConnection& connection)
{
    for (const TableDef* table : allTables())
        connection.openTable(*table);
}

void copyBook(BookConnection& from, BookConnection& into)
{
    into.quietHistory();
    for (const TableDef* table : allTables()) {
        std::string columns;
        std::vector<std::string> names;
        for (const FieldDef& field : table->fields) {
            columns += (columns.empty() ? "" : ", ") + sqlName(field.name);
            names.emplace_back(field.name);
        }
        BookStatement& read = from.statement("SELECT " + columns + " FROM " + sqlName(from.schemaOf(*table)) + "."
                                             + sqlName(table->name) + " ORDER BY \"Auto\"");
        into.insertRows(read, sqlName(into.schemaOf(*table)) + "." + sqlName(table->name), names);
        into.noteWrite(*table);
        into.giveKeysAbove(*table, std::max(from.keysGiven(*table), into.keysGiven(*table)));
    }
    copyClosedYears(from, into);
    copyHistory(from, into);
}

void copyIntoNewLocalBook(BookConnection& from, const std::filesystem::path& aside)
{
    const SetupReport made = createMissingTables(aside);
    if (!made.problems.empty())
        throw StoreError(made.problems.front());
    writeIntoCopy(aside, {}, [&from](BookConnection& into) { copyBook(from, into); });
}

void writeIntoCopy(const std::filesystem::path& copy, const BookOptions& options,
                   const std::function<void(BookConnection&)>& write)
{
    {
        LocalBookConnection into(copy, options);
        openEveryTable(into);
        into.beginWrite();
        try {
            write(into);
            into.commit();
        } catch (...) {
            into.rollback();
            throw;
        }
    }
    std::filesystem::remove(copy / ".in-use"); // the copy's own claim, while it was written
}

void transferBook(BookConnection& from, BookConnection& into, bool replacing, std::string_view note)
{
    openEveryTable(from);
    openEveryTable(into);
    from.beginRead();
    into.beginWrite();
    try {
        into.quietHistory();
        if (replacing) {
            for (const TableDef* table : allTables()) {
                into.execute("DELETE FROM " + sqlName(into.schemaOf(*table)) + "." + sqlName(table->name));
                into.noteWrite(*table);
            }
            emptyHistory(into);
            into.bookReplaced();
        }
        copyBook(from, into);
        if (!note.empty())
            markEveryWorker(into, note);
        into.commit();
    } catch (...) {
        into.rollback();
        from.rollback();
        throw;
    }
    from.rollback(); // nothing was written: the snapshot ends
}

} // namespace store
