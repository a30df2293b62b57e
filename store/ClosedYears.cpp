#include "ClosedYears.h"

#include "BookConnection.h"

namespace store {

void makeClosedYearsRecord(BookConnection& book)
{
    // The same SQL on both kinds of book.
    book.execute("CREATE TABLE IF NOT EXISTS " + book.closedYearsTable() + " (\"Year\" integer PRIMARY KEY)");
}

std::vector<int> closedYears(BookConnection& book)
{
    std::vector<int> years;
    if (!book.holdsClosedYears())
        return years;
    BookStatement& rows = book.statement("SELECT \"Year\" FROM " + book.closedYearsTable() + " ORDER BY \"Year\"");
    StatementUse use(rows);
    while (rows.step())
        years.push_back(int(rows.integer(0)));
    return years;
}

void recordClosedYear(BookConnection& book, int year)
{
    makeClosedYearsRecord(book);
    BookStatement& record = book.statement("INSERT INTO " + book.closedYearsTable() + " (\"Year\") VALUES (?1)");
    StatementUse use(record);
    record.bind(1, std::int64_t(year));
    record.step();
}

void copyClosedYears(BookConnection& from, BookConnection& into)
{
    const std::vector<int> years = closedYears(from);
    if (years.empty() && !into.holdsClosedYears())
        return;
    makeClosedYearsRecord(into);
    into.execute("DELETE FROM " + into.closedYearsTable());
    for (const int year : years)
        recordClosedYear(into, year);
}

} // namespace store
