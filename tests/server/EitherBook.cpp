#include "EitherBook.h"

namespace testing_support {

EitherBook::EitherBook(bool onServer)
{
    if (onServer)
        server_.emplace();
    else
        local_.emplace();
}

std::unique_ptr<store::TDataModule1> EitherBook::open(store::BookOptions options) const
{
    return server_ ? server_->open(std::move(options)) : local_->open(std::move(options));
}

BookContents EitherBook::stored() const
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

} // namespace testing_support
