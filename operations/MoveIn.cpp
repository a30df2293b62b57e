#include "MoveIn.h"

#include "ActionOnBook.h"
#include "BookConnection.h"
#include "BookCopy.h"
#include "Isolated.h"
#include "LocalBookConnection.h"
#include "OldTable.h"
#include "Processes.h"
#include "Schema.h"
#include "StoreError.h"
#include "TableSetup.h"
#include "TemporaryFolder.h"
#include "Wording.h"

#include <algorithm>


namespace operations {
namespace {

std::string target(const store::BookConnection& book, const store::TableDef& table)
{
    return store::sqlName(book.schemaOf(table)) + "." + store::sqlName(table.name);
}

bool holdsRecords(store::BookConnection& book)
{
    for (const store::TableDef* table : store::allTables()) {
        store::BookStatement& any = book.statement("SELECT 1 FROM " + target(book, *table) + " LIMIT 1");
        store::StatementUse use(any);
        if (any.step())
            return true;
    }
    return false;
}

void write(store::BookConnection& book, const store::TableDef& table, const OldTable& old)
{
    store::BookStatement& insert = book.statement(book.insertKeepingKeySql(table));
    for (const store::Row& row : old.rows) {
        store::StatementUse use(insert);
        for (std::size_t i = 0; i < row.size(); ++i) {
            const int position = int(i) + 1;
            if (const auto* number = std::get_if<std::int32_t>(&row[i]))
                insert.bind(position, std::int64_t(*number));
            else if (const auto* text = std::get_if<std::string>(&row[i]))
                insert.bind(position, std::string_view(*text));
            else
                insert.bindNull(position);
        }
        insert.step();
    }
    book.noteWrite(table);
    book.giveKeysAbove(table, std::max(old.keysGiven, book.keysGiven(table)));
}

} // namespace

MoveInReport moveIn(const std::filesystem::path& oldRoot, store::BookConnection& book, bool dryRun)
{
    // Every table read and checked first: a bad one refuses the move-in before a write.
    std::vector<std::pair<const store::TableDef*, OldTable>> tables;
    for (const store::TableDef* table : store::allTables())
        tables.emplace_back(table, readOldTable(table->pathUnder(oldRoot), *table));

    store::openEveryTable(book);
    const store::ActionOnBook movingIn(book, store::bookAction::moveIn);
    book.beginWrite();
    try {
        if (holdsRecords(book))
            throw store::StoreError(store::worded("MoveIn", "في الدفتر %1 عمال أو قيود من قبل: ينقل الدفتر القديم إلى دفتر فارغ")
                                        .arg(store::isolatedLeftToRight(book.place())));
        MoveInReport report;
        for (const auto& [table, old] : tables) {
            write(book, *table, old);
            report.records[std::string(table->name)] = old.rows.size();
        }
        report.findings = findingsWithin(book);
        if (dryRun)
            book.rollback();
        else
            book.commit();
        return report;
    } catch (...) {
        if (book.inTransaction())
            book.rollback();
        throw;
    }
}

std::filesystem::path keptOldBook(const std::filesystem::path& dataRoot)
{
    const std::filesystem::path root = dataRoot.lexically_normal();
    return root.parent_path() / (root.filename().string() + ".before-move-in");
}

MoveInReport moveInLocally(const std::filesystem::path& oldRoot, const std::filesystem::path& dataRoot, bool dryRun)
{
    std::error_code differs;
    const bool inPlace = oldRoot.lexically_normal() == dataRoot.lexically_normal()
                         || std::filesystem::equivalent(oldRoot, dataRoot, differs);
    const std::filesystem::path kept = keptOldBook(dataRoot);
    // Where the old tables are read from: a move-in in place that was cut short left them kept.
    const std::filesystem::path from = inPlace && std::filesystem::exists(kept) ? kept : oldRoot;
    const auto into = [](const std::filesystem::path& root, const std::filesystem::path& old, bool dry) {
        const store::SetupReport made = store::createMissingTables(root);
        if (!made.problems.empty())
            throw store::StoreError(made.problems.front());
        store::LocalBookConnection book(root, {});
        return moveIn(old, book, dry);
    };
    const bool bookThere = !inPlace && std::filesystem::exists(store::workerTable().pathUnder(dataRoot));
    if (dryRun && !bookThere) {
        // Nothing is made where the book belongs: the dry run writes a throwaway book.
        const std::filesystem::path scratch = store::temporaryFolder() / ("ijazat-move-in-" + std::to_string(platform::thisProcess()));
        std::filesystem::remove_all(scratch);
        try {
            MoveInReport report = into(scratch, from, true);
            std::filesystem::remove_all(scratch);
            return report;
        } catch (...) {
            std::error_code ignored;
            std::filesystem::remove_all(scratch, ignored);
            throw;
        }
    }
    if (!inPlace || from == kept)
        return into(dataRoot, from, dryRun); // a book already there refuses it unless it is empty
    // Renamed, so the old files stay byte for byte; the data root then holds the new book only.
    std::filesystem::rename(dataRoot, kept);
    try {
        return into(dataRoot, kept, false);
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove_all(dataRoot, ignored);
        std::filesystem::rename(kept, dataRoot, ignored);
        throw;
    }
}

} // namespace operations
