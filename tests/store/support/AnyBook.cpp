#include "AnyBook.h"

#include "DataModule.h"

namespace testing_support {

BookContents AnyBook::stored() const
{
    const std::unique_ptr<store::TDataModule1> reader = open();
    store::BookConnection& connection = reader->connection();
    BookContents contents;
    for (const store::TableDef* table : store::allTables()) {
        store::BookStatement& rows = connection.statement("SELECT * FROM " + store::sqlName(connection.schemaOf(*table))
                                                          + "." + store::sqlName(table->name) + " ORDER BY \"Auto\"");
        store::StatementUse use(rows);
        contents[std::string(table->name)] = recordsOf(rows, *table);
    }
    return contents;
}

BookKind localBooks()
{
    return {"local", [] { return std::make_unique<BookOf<TempBook>>(); }};
}

} // namespace testing_support
