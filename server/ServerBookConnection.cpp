#include "ServerBookConnection.h"

#include "BookCopy.h"
#include "BusyWait.h"
#include "History.h"
#include "Isolated.h"
#include "LocalBookConnection.h"
#include "ServerBook.h"
#include "ServerFailure.h"
#include "ServerSchema.h"
#include "StoreError.h"
#include "Wording.h"
#include "TableSetup.h"

#include <libpq-fe.h>

#include <algorithm>
#include <fstream>
#include <iterator>

namespace server {
namespace {

// The key of the book's write lock among the server's advisory locks: "ijazat" in ASCII.
// The book's history triggers read the clerk action and the desk from the transaction's
// own settings, which end with it: a write from any other program records neither.
constexpr const char* writeLockSql = "SELECT pg_advisory_xact_lock(105106097122097116), "
                                     "set_config('ijazat.action', $1, true), set_config('ijazat.desk', $2, true)";

} // namespace

std::string serverSchemaOf(const store::TableDef& table)
{
    return std::string(table.directory);
}

ServerBookConnection::ServerBookConnection(std::string conninfo, std::filesystem::path localRoot,
                                           store::BookOptions options)
    : BookConnection(std::move(localRoot)), conninfo_(std::move(conninfo)), server_(describeServer(conninfo_)),
      options_(std::move(options))
{
    store::renewBusyWait();
    connect();
}

ServerBookConnection::~ServerBookConnection()
{
    statements_.clear();
    PQfinish(pg_);
}

void ServerBookConnection::connect()
{
    PQfinish(pg_);
    pg_ = PQconnectdb(conninfo_.c_str());
    if (PQstatus(pg_) != CONNECTION_OK) {
        const std::string said = store::worded("ServerFailure", "تعذّر الوصول إلى خادم الدفتر %1")
                                     .arg(store::isolatedLeftToRight(server_))
                                     .text()
                                 + "\n(" + store::isolatedLeftToRight(PQerrorMessage(pg_)) + ")";
        PQfinish(pg_);
        pg_ = nullptr;
        throw store::StoreError(said);
    }
    ++generation_;
    // A write waits for another desk's lock at most as long as a local book waits for a
    // file's; every name the book's SQL uses is qualified, so nothing is looked up elsewhere.
    const std::string timeout = std::to_string(options_.busyTimeoutMs) + "ms";
    const char* values[] = {timeout.c_str()};
    PGresult* set = PQexecParams(pg_,
                                 "SELECT set_config('lock_timeout', $1, false), set_config('search_path', '', false)",
                                 1, nullptr, values, nullptr, nullptr, 0);
    const bool ok = PQresultStatus(set) == PGRES_TUPLES_OK && PQsetClientEncoding(pg_, "UTF8") == 0;
    const std::string said = ok ? std::string() : failure(set);
    PQclear(set);
    if (!ok)
        throw store::StoreError(said);
}

pg_conn* ServerBookConnection::ready()
{
    if (pg_ && PQstatus(pg_) != CONNECTION_BAD)
        return pg_;
    if (transactionBegun_)
        throw store::StoreError(failure(nullptr)); // what was begun is gone with the connection
    connect();
    return pg_;
}

std::string ServerBookConnection::failure(const pg_result* result) const
{
    return serverFailure(server_, pg_, result);
}

void ServerBookConnection::openTable(const store::TableDef& table)
{
    if (isOpen(table))
        return;
    if (auto problem = serverTableProblem(*this, table))
        throw store::StoreError(store::worded("ServerBookConnection", "لا يُفتح جدول الدفتر %1 على خادم الدفتر %2: %3")
                                    .arg(store::isolatedLeftToRight(std::string(table.name)))
                                    .arg(store::isolatedLeftToRight(server_))
                                    .arg(*problem));
    open_.insert(std::string(table.name));
}

bool ServerBookConnection::isOpen(const store::TableDef& table) const
{
    return open_.count(std::string(table.name)) > 0;
}

std::string ServerBookConnection::schemaOf(const store::TableDef& table) const
{
    return serverSchemaOf(table);
}

store::BookStatement& ServerBookConnection::statement(const std::string& sql)
{
    auto& kept = statements_[sql];
    if (!kept)
        kept = std::make_unique<ServerStatement>(*this, "s" + std::to_string(statements_.size()), sql);
    return *kept;
}

void ServerBookConnection::beginWrite()
{
    execute("BEGIN");
    transactionBegun_ = true;
    try {
        // One wait for another desk's lock per clerk action, as on a local book: once a wait
        // has given up, the lock is only taken if it is free, until the next action.
        const bool spent = store::busyWaitSpent();
        if (spent)
            execute("SET LOCAL lock_timeout = '1ms'");
        const std::string desk = who();
        const char* values[] = {action().c_str(), desk.c_str()};
        PGresult* locked = PQexecParams(pg_, writeLockSql, 2, nullptr, values, nullptr, nullptr, 0);
        if (PQresultStatus(locked) != PGRES_TUPLES_OK) {
            const char* state = PQresultErrorField(locked, PG_DIAG_SQLSTATE);
            if (!spent && state && std::string_view(state) == "55P03") {
                ++busyWaitsGivenUp_;
                store::spendBusyWait();
            }
            const std::string said = failure(locked);
            PQclear(locked);
            throw store::StoreError(said);
        }
        PQclear(locked);
    } catch (...) {
        rollback();
        throw;
    }
}

void ServerBookConnection::beginRead()
{
    execute("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY");
    transactionBegun_ = true;
}

void ServerBookConnection::commit()
{
    // A transaction that met an error would only be rolled back by COMMIT, which the
    // server answers without an error: it is refused here instead.
    if (!inTransaction() || PQtransactionStatus(pg_) == PQTRANS_INERROR) {
        rollback();
        throw store::StoreError(failure(nullptr));
    }
    try {
        execute("COMMIT");
    } catch (...) {
        transactionBegun_ = false;
        throw;
    }
    transactionBegun_ = false;
}

void ServerBookConnection::rollback()
{
    const bool live = inTransaction();
    transactionBegun_ = false;
    if (live)
        execute("ROLLBACK");
}

bool ServerBookConnection::inTransaction() const
{
    if (!pg_ || PQstatus(pg_) == CONNECTION_BAD)
        return false;
    const PGTransactionStatusType status = PQtransactionStatus(pg_);
    return status == PQTRANS_INTRANS || status == PQTRANS_INERROR || status == PQTRANS_ACTIVE;
}

std::string ServerBookConnection::whereIs(const store::TableDef& table) const
{
    return server_ + " " + schemaOf(table) + "." + std::string(table.name);
}

void ServerBookConnection::copyInto(const std::filesystem::path& aside)
{
    ServerBookConnection from(conninfo_, dataRoot());
    store::openEveryTable(from);
    // One snapshot of the server's five tables: a posting is in the copy whole or not at all.
    from.beginRead();
    try {
        store::copyIntoNewLocalBook(from, aside);
    } catch (...) {
        from.rollback();
        throw;
    }
    from.rollback(); // nothing was written: the snapshot ends
}

std::string ServerBookConnection::insertKeepingKeySql(const store::TableDef& table) const
{
    std::string columns, values;
    for (std::size_t i = 0; i < table.fields.size(); ++i) {
        columns += (i ? ", " : "") + store::sqlName(table.fields[i].name);
        values += (i ? ", ?" : "?") + std::to_string(i + 1);
    }
    // The key is the table's own to give: a copy of the book says it keeps the record's.
    return "INSERT INTO " + store::sqlName(schemaOf(table)) + "." + store::sqlName(table.name) + " (" + columns
           + ") OVERRIDING SYSTEM VALUE VALUES (" + values + ")";
}

std::int64_t ServerBookConnection::keysGiven(const store::TableDef& table)
{
    store::BookStatement& given = statement(
        "SELECT coalesce(pg_sequence_last_value(pg_get_serial_sequence(?1, 'Auto')::regclass), 0)");
    store::StatementUse use(given);
    given.bind(1, std::string_view(store::sqlName(schemaOf(table)) + "." + store::sqlName(table.name)));
    return given.step() ? given.integer(0) : 0;
}

void ServerBookConnection::giveKeysAbove(const store::TableDef& table, std::int64_t highest)
{
    // A sequence starts at 1: "nothing given yet" is 1, not yet called.
    store::BookStatement& give = statement(
        "SELECT setval(pg_get_serial_sequence(?1, 'Auto'), greatest(?2::bigint, 1), ?2::bigint > 0)");
    store::StatementUse use(give);
    give.bind(1, std::string_view(store::sqlName(schemaOf(table)) + "." + store::sqlName(table.name)));
    give.bind(2, highest);
    give.step();
}

std::string ServerBookConnection::who() const
{
    const std::string desk = BookConnection::who();
    const char* user = pg_ ? PQuser(pg_) : nullptr;
    return (user ? std::string(user) : std::string()) + desk.substr(desk.find('@'));
}

void ServerBookConnection::quietHistory()
{
    execute("SELECT set_config('ijazat.quiet', 'on', true)");
}

void ServerBookConnection::historyCopied(const store::TableDef& table)
{
    store::BookStatement& follow = statement(
        "SELECT setval(pg_get_serial_sequence(?1, 'Id'), coalesce(max(\"Id\"), 1), max(\"Id\") IS NOT NULL) FROM "
        + store::historyTarget(*this, table));
    store::StatementUse use(follow);
    follow.bind(1, std::string_view(store::historyTarget(*this, table)));
    follow.step();
}

std::int64_t ServerBookConnection::tableChanges(const store::TableDef& table)
{
    store::BookStatement& count = statement(changeCountSql());
    store::StatementUse use(count);
    count.bind(1, std::string_view(table.name));
    return count.step() ? count.integer(0) : 0;
}

} // namespace server

namespace server {
namespace {

std::string hex(const std::string& bytes)
{
    static constexpr char digits[] = "0123456789abcdef";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const unsigned char byte : bytes) {
        text += digits[byte >> 4];
        text += digits[byte & 0x0f];
    }
    return text;
}

std::string bytesOf(const std::string& hexText)
{
    const auto value = [](char digit) { return digit <= '9' ? digit - '0' : digit - 'a' + 10; };
    std::string bytes(hexText.size() / 2, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = char(value(hexText[2 * i]) << 4 | value(hexText[2 * i + 1]));
    return bytes;
}

} // namespace

bool ServerBookConnection::holdsClosedYears()
{
    return serverTableExists(*this, "ijazat", "closed_years");
}

void ServerBookConnection::keepArchive(int year, const std::filesystem::path& archive)
{
    execute(archivesSql());
    store::BookStatement& keep = statement(
        "INSERT INTO \"ijazat\".\"year_archives\" (\"Year\", \"File\", \"Content\") VALUES (?1, ?2, decode(?3, 'hex'))");
    for (const store::TableDef* table : store::allTables()) {
        const std::filesystem::path file = table->pathUnder(archive);
        std::ifstream in(file, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        if (!in.good() && !in.eof())
            throw store::StoreError(
                store::worded("ServerBookConnection", "تعذّرت قراءة %1").arg(store::isolatedLeftToRight(file.string())));
        store::StatementUse use(keep);
        keep.bind(1, std::int64_t(year));
        keep.bind(2, std::string_view(table->relativePath().generic_string()));
        keep.bind(3, std::string_view(hex(bytes)));
        keep.step();
    }
}

bool ServerBookConnection::copyArchiveInto(int year, const std::filesystem::path& aside)
{
    if (!serverTableExists(*this, "ijazat", "year_archives"))
        return false;
    store::BookStatement& files = statement(
        "SELECT \"File\", encode(\"Content\", 'hex') FROM \"ijazat\".\"year_archives\" WHERE \"Year\" = ?1 ORDER BY \"File\"");
    std::vector<std::pair<std::string, std::string>> kept;
    {
        store::StatementUse use(files);
        files.bind(1, std::int64_t(year));
        while (files.step())
            kept.emplace_back(files.text(0), bytesOf(files.text(1)));
    }
    if (kept.empty())
        return false;
    for (const auto& [name, bytes] : kept) {
        // Only the book's own five files, each at its own place: a name from the server is not a path to follow.
        const auto& tables = store::allTables();
        if (std::none_of(tables.begin(), tables.end(),
                         [&name](const store::TableDef* table) { return table->relativePath().generic_string() == name; }))
            throw store::StoreError(store::worded("ServerBookConnection", "في أرشيف السنة على الخادم ملف ليس من الدفتر: %1")
                                        .arg(store::isolatedLeftToRight(name)));
        const std::filesystem::path file = aside / name;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream out(file, std::ios::binary);
        out.write(bytes.data(), std::streamsize(bytes.size()));
        out.close();
        if (!out)
            throw store::StoreError(
                store::worded("ServerBookConnection", "تعذّرت كتابة %1").arg(store::isolatedLeftToRight(file.string())));
    }
    return true;
}

} // namespace server
