#include "Statement.h"

#include "EngineFailure.h"
#include "StoreError.h"

#include <sqlite3.h>

namespace store {

void keepTemporaryTablesInMemory(sqlite3* db)
{
    Statement(db, "PRAGMA temp_store = MEMORY").step();
}

Statement::Statement(sqlite3* db, std::string_view sql, std::string file) : db_(db), file_(std::move(file))
{
    if (sqlite3_prepare_v3(db, sql.data(), int(sql.size()), SQLITE_PREPARE_PERSISTENT, &stmt_, nullptr) != SQLITE_OK)
        fail();
}

void Statement::fail() const
{
    fail(sqlite3_extended_errcode(db_), sqlite3_errmsg(db_));
}

void Statement::fail(int code, const std::string& engineText) const
{
    const char* main = sqlite3_db_filename(db_, "main");
    throw StoreError(engineFailure(code, file_.empty() && main ? main : file_, engineText, sqlite3_system_errno(db_)));
}

Statement::~Statement()
{
    sqlite3_finalize(stmt_);
}

void Statement::bindNull(int position)
{
    if (sqlite3_bind_null(stmt_, position) != SQLITE_OK)
        fail();
}

void Statement::bind(int position, std::int64_t value)
{
    if (sqlite3_bind_int64(stmt_, position, value) != SQLITE_OK)
        fail();
}

void Statement::bind(int position, std::string_view text)
{
    if (sqlite3_bind_text(stmt_, position, text.data(), int(text.size()), SQLITE_TRANSIENT) != SQLITE_OK)
        fail();
}

bool Statement::step()
{
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const int code = sqlite3_extended_errcode(db_);
    const std::string engineText = sqlite3_errmsg(db_);
    sqlite3_reset(stmt_);
    fail(code, engineText);
}

void Statement::reset()
{
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

bool Statement::isNull(int column) const
{
    return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

bool Statement::isInteger(int column) const
{
    return sqlite3_column_type(stmt_, column) == SQLITE_INTEGER;
}

bool Statement::isText(int column) const
{
    return sqlite3_column_type(stmt_, column) == SQLITE_TEXT;
}

std::int64_t Statement::integer(int column) const
{
    return sqlite3_column_int64(stmt_, column);
}

std::string Statement::text(int column) const
{
    const auto* bytes = sqlite3_column_text(stmt_, column);
    return bytes ? std::string(reinterpret_cast<const char*>(bytes), std::size_t(sqlite3_column_bytes(stmt_, column)))
                 : std::string();
}

bool Statement::writes() const
{
    if (sqlite3_stmt_readonly(stmt_) != 0)
        return false;
    // The engine counts a begin that takes the write lock, and any pragma, as writing.
    const std::string_view sql = sqlite3_sql(stmt_);
    const std::size_t start = std::min(sql.find_first_not_of(" \t\r\n"), sql.size());
    const auto opensWith = [&](std::string_view word) {
        return sql.size() - start >= word.size() && sqlite3_strnicmp(sql.data() + start, word.data(), int(word.size())) == 0;
    };
    return !opensWith("BEGIN") && !opensWith("PRAGMA");
}

int Statement::fullScanSteps() const
{
    return sqlite3_stmt_status(stmt_, SQLITE_STMTSTATUS_FULLSCAN_STEP, 0);
}

int Statement::sorts() const
{
    return sqlite3_stmt_status(stmt_, SQLITE_STMTSTATUS_SORT, 0);
}

void Statement::clearCounters()
{
    sqlite3_stmt_status(stmt_, SQLITE_STMTSTATUS_FULLSCAN_STEP, 1);
    sqlite3_stmt_status(stmt_, SQLITE_STMTSTATUS_SORT, 1);
}

} // namespace store
