#include "ServerBookConnection.h"

#include "BookCopy.h"
#include "BusyWait.h"
#include "History.h"
#include "Isolated.h"
#include "LocalBookConnection.h"
#include "ServerBook.h"
#include "ServerExchange.h"
#include "ServerFailure.h"
#include "ServerSchema.h"
#include "StoreError.h"
#include "Wording.h"
#include "TableSetup.h"

#include <libpq-fe.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>
#include <utility>

namespace server {
namespace {

// The key every desk holds shared while connected, and a restore alone: "ijazau" in ASCII.
constexpr const char* desksLock = "105106097122097117";

// The key of the book's write lock among the server's advisory locks: "ijazat" in ASCII.
// The book's history triggers read the clerk action and the desk from the transaction's
// own settings, which end with it: a write from any other program records neither.
// The book's identity comes with the lock: a book restored since the desk opened it is
// never written with the keys the desk knew.
// The transaction's number comes too, to learn after a lost reply whether it was stored.
constexpr const char* writeLockSql = "SELECT pg_advisory_xact_lock(105106097122097116), "
                                     "set_config('ijazat.action', $1, true), set_config('ijazat.desk', $2, true), "
                                     "txid_current()";
constexpr const char* identifiedWriteLockSql = "SELECT pg_advisory_xact_lock(105106097122097116), "
                                               "set_config('ijazat.action', $1, true), set_config('ijazat.desk', $2, true), "
                                               "txid_current(), (SELECT \"identity\" FROM \"ijazat\".\"book\")";

} // namespace

std::string serverSchemaOf(const store::TableDef& table)
{
    return std::string(table.directory);
}

ServerBookConnection::ServerBookConnection(std::string conninfo, std::filesystem::path localRoot,
                                           store::BookOptions options)
    : ServerBookConnection(std::move(conninfo), std::move(localRoot), std::move(options), Claim::Desk)
{
}

ServerBookConnection::ServerBookConnection(std::string conninfo, std::filesystem::path localRoot,
                                           store::BookOptions options, Claim claim)
    : BookConnection(std::move(localRoot)), conninfo_(std::move(conninfo)), server_(describeServer(conninfo_)),
      options_(std::move(options)), claim_(claim)
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
    // Every wait on the server is bounded: the connection itself, a network gone quiet (the
    // keep-alives and the unanswered data give up), each statement on the server, and a unit
    // of work left idle by a desk that froze in it. What the connection string sets stands.
    const std::string seconds = std::to_string(std::max(1, options_.serverWaitMs / 1000));
    const std::string unanswered = std::to_string(options_.serverWaitMs);
    const std::string options = "-c lock_timeout=" + std::to_string(options_.busyTimeoutMs)
                                + " -c statement_timeout=" + std::to_string(options_.serverWaitMs)
                                + " -c idle_in_transaction_session_timeout=" + std::to_string(options_.idleInTransactionMs)
                                + " -c search_path=";
    const char* keywords[] = {"connect_timeout", "keepalives", "keepalives_idle", "keepalives_interval",
                              "keepalives_count", "tcp_user_timeout", "client_encoding", "application_name",
                              "options", "dbname", nullptr};
    const char* values[] = {seconds.c_str(), "1", "5", "2", "3", unanswered.c_str(), "UTF8", "ijazat", options.c_str(),
                            conninfo_.c_str(), nullptr};
    pg_ = PQconnectdbParams(keywords, values, 1);
    if (PQstatus(pg_) != CONNECTION_OK) {
        const std::string said = store::worded("ServerFailure", "تعذّر الوصول إلى خادم الدفتر %1")
                                     .arg(store::isolatedLeftToRight(server_))
                                     .text()
                                 + "\n(" + store::isolatedLeftToRight(PQerrorMessage(pg_)) + ")";
        PQfinish(pg_);
        pg_ = nullptr;
        throw store::StoreError(said);
    }
    PQsetnonblocking(pg_, 1);
    ++generation_;
    if (claim_ == Claim::Desk)
        holdBookShared();
}

void ServerBookConnection::holdBookShared()
{
    // The identity is read where the setup made it and the desk's role may read it; a role
    // without rights is told so when the tables are opened.
    PGresult* held = run("SELECT pg_try_advisory_lock_shared(" + std::string(desksLock) + "), "
                         "CASE WHEN EXISTS (SELECT 1 FROM pg_catalog.pg_class c JOIN pg_catalog.pg_namespace n ON "
                         "n.oid = c.relnamespace WHERE n.nspname = 'ijazat' AND c.relname = 'book') "
                         "THEN has_schema_privilege('ijazat', 'USAGE') AND has_table_privilege('\"ijazat\".\"book\"', "
                         "'SELECT') ELSE false END",
                         {});
    const bool shared = std::string_view(PQgetvalue(held, 0, 0)) == "t";
    const bool identified = std::string_view(PQgetvalue(held, 0, 1)) == "t";
    PQclear(held);
    if (!shared) {
        PQfinish(pg_);
        pg_ = nullptr;
        throw store::StoreError(store::worded("ServerBookConnection", "تُستعاد نسخة احتياطية في الدفتر على %1 الآن: "
                                                                      "أعد المحاولة بعد أن تنتهي")
                                    .arg(store::isolatedLeftToRight(server_)));
    }
    if (!identified || !identity_.empty())
        return;
    PGresult* identity = run("SELECT \"identity\" FROM \"ijazat\".\"book\"", {});
    identity_ = PQntuples(identity) > 0 ? PQgetvalue(identity, 0, 0) : "";
    PQclear(identity);
}

pg_result* ServerBookConnection::exchange(const std::function<int(pg_conn*)>& send)
{
    pg_conn* pg = ready();
    if (send(pg) == 0)
        throw store::StoreError(failure(nullptr));
    const Answer answer = awaitAnswer(pg, options_.serverWaitMs);
    if (answer.inTime)
        return answer.result;
    // A server or a network that went silent: the connection is given up, so nothing the
    // desk began can still be stored, and the next action connects again.
    PQfinish(pg_);
    pg_ = nullptr;
    throw store::StoreError(store::worded("ServerFailure", "لم يُجب خادم الدفتر %1 خلال %2 ثانية، ولم يُحفظ شيء. "
                                                           "يُعاد الاتصال عند العملية التالية")
                                .arg(store::isolatedLeftToRight(server_))
                                .arg(options_.serverWaitMs / 1000));
}

pg_result* ServerBookConnection::run(const std::string& sql, const std::vector<std::string>& parameters)
{
    lastState_.clear();
    std::vector<const char*> values;
    for (const std::string& value : parameters)
        values.push_back(value.c_str());
    PGresult* result = exchange([&](pg_conn* pg) {
        return PQsendQueryParams(pg, sql.c_str(), int(values.size()), nullptr, values.data(), nullptr, nullptr, 0);
    });
    const ExecStatusType status = PQresultStatus(result);
    if (status == PGRES_TUPLES_OK || status == PGRES_COMMAND_OK)
        return result;
    const char* state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    lastState_ = state ? state : "";
    const std::string said = failure(result);
    PQclear(result);
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
        try {
            const bool identified = !identity_.empty();
            PGresult* locked = run(identified ? identifiedWriteLockSql : writeLockSql, {action(), who()});
            const std::string identity = identified ? PQgetvalue(locked, 0, 4) : "";
            transactionId_ = PQgetvalue(locked, 0, 3);
            PQclear(locked);
            if (identity != identity_)
                throw store::StoreError(store::worded("ServerBookConnection",
                                                      "استُعيد الدفتر على %1 من نسخة احتياطية بعد أن فتحه هذا المكتب، ولم "
                                                      "يُحفظ شيء: أغلق البرنامج وافتحه من جديد")
                                            .arg(store::isolatedLeftToRight(server_)));
        } catch (const store::StoreError&) {
            if (!spent && lastState_ == "55P03") {
                ++busyWaitsGivenUp_;
                store::spendBusyWait();
            }
            throw;
        }
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
    const bool writing = !transactionId_.empty();
    const std::string written = std::exchange(transactionId_, std::string());
    try {
        PQclear(run("COMMIT", {}));
    } catch (const store::StoreError&) {
        transactionBegun_ = false;
        if (!writing || (pg_ && PQstatus(pg_) == CONNECTION_OK))
            throw; // the server answered: what it said stands
        // The COMMIT went out and no answer came back: the server may have stored it.
        switch (outcomeOf(written)) {
        case Outcome::Stored:
            return;
        case Outcome::NotStored:
            throw;
        case Outcome::Unknown:
            break;
        }
        throw store::StoreError(store::worded("ServerFailure", "انقطع الاتصال بخادم الدفتر %1 عند الحفظ ولم يُعرف أحُفظ أم "
                                                               "لا: انظر في قيود العامل قبل أن تحفظ ثانية")
                                    .arg(store::isolatedLeftToRight(server_)));
    }
    transactionBegun_ = false;
}

ServerBookConnection::Outcome ServerBookConnection::outcomeOf(const std::string& transaction)
{
    // The server ends a transaction whose desk went away as soon as it notices; until then
    // it says "in progress", so it is asked again, as long as the desk waits for an answer.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(options_.serverWaitMs);
    try {
        connect();
        do {
            PGresult* status = run("SELECT txid_status($1::bigint)", {transaction});
            const std::string said = PQgetisnull(status, 0, 0) ? std::string() : PQgetvalue(status, 0, 0);
            PQclear(status);
            if (said == "committed")
                return Outcome::Stored;
            if (said != "in progress")
                return Outcome::NotStored;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        } while (std::chrono::steady_clock::now() < deadline);
    } catch (const store::StoreError&) {
        // The server cannot be asked: what became of it is not known.
    }
    return Outcome::Unknown;
}

void ServerBookConnection::rollback()
{
    const bool live = inTransaction();
    transactionBegun_ = false;
    transactionId_.clear();
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

std::vector<std::string> ServerBookConnection::unwritableParts()
{
    std::vector<std::string> unwritable;
    for (const store::TableDef* table : store::allTables()) {
        if (!isOpen(*table))
            continue;
        store::BookStatement& writable = statement("SELECT has_table_privilege(?1, 'INSERT, UPDATE, DELETE')");
        store::StatementUse use(writable);
        writable.bind(1, std::string_view(store::sqlName(schemaOf(*table)) + "." + store::sqlName(table->name)));
        if (writable.step() && writable.text(0) != "t")
            unwritable.push_back(whereIs(*table));
    }
    return unwritable;
}

std::string ServerBookConnection::whereIs(const store::TableDef& table) const
{
    return server_ + " " + schemaOf(table) + "." + std::string(table.name);
}

void ServerBookConnection::claimAlone()
{
    PGresult* alone = run("SELECT pg_try_advisory_lock(" + std::string(desksLock) + ")", {});
    const bool held = std::string_view(PQgetvalue(alone, 0, 0)) == "t";
    PQclear(alone);
    if (!held)
        throw store::StoreError(store::worded("ServerBookConnection", "مكاتب أخرى تفتح الدفتر على %1: لا يُستعاد إلا بعد "
                                                                      "أن تُغلق البرنامج كلها")
                                    .arg(store::isolatedLeftToRight(server_)));
}

void ServerBookConnection::bookReplaced()
{
    PGresult* renewed = run("UPDATE \"ijazat\".\"book\" SET \"identity\" = md5(random()::text || clock_timestamp()::text) "
                            "RETURNING \"identity\"",
                            {});
    identity_ = PQgetvalue(renewed, 0, 0);
    PQclear(renewed);
}

void ServerBookConnection::copyInto(const std::filesystem::path& aside)
{
    ServerBookConnection from(conninfo_, dataRoot(), options_, Claim::Helper);
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

namespace {

// A value as COPY's text format writes it: \N for none, the rest with its backslashes,
// tabs and line ends escaped.
void appendCopyValue(std::string& line, const store::BookStatement& read, int column)
{
    if (read.isNull(column)) {
        line += "\\N";
        return;
    }
    for (const char c : read.text(column)) {
        switch (c) {
        case '\\': line += "\\\\"; break;
        case '\t': line += "\\t"; break;
        case '\n': line += "\\n"; break;
        case '\r': line += "\\r"; break;
        default: line += c;
        }
    }
}

} // namespace

void ServerBookConnection::insertRows(store::BookStatement& read, const std::string& target,
                                      const std::vector<std::string>& columns)
{
    std::string names;
    for (const std::string& column : columns)
        names += (names.empty() ? "" : ", ") + store::sqlName(column);
    const std::string copy = "COPY " + target + " (" + names + ") FROM STDIN";
    PGresult* started = exchange([&copy](pg_conn* pg) { return PQsendQuery(pg, copy.c_str()); });
    const bool copying = PQresultStatus(started) == PGRES_COPY_IN;
    const std::string refused = copying ? std::string() : failure(started);
    PQclear(started);
    if (!copying)
        throw store::StoreError(refused);
    const auto giveUp = [this] {
        PQfinish(pg_);
        pg_ = nullptr;
        throw store::StoreError(failure(nullptr));
    };
    std::string rows;
    {
        store::StatementUse reading(read);
        while (read.step()) {
            for (int column = 0; column < int(columns.size()); ++column) {
                if (column > 0)
                    rows += '\t';
                appendCopyValue(rows, read, column);
            }
            rows += '\n';
            if (rows.size() >= 1 << 16) {
                if (!sendCopyData(pg_, rows, options_.serverWaitMs))
                    giveUp();
                rows.clear();
            }
        }
    }
    if ((!rows.empty() && !sendCopyData(pg_, rows, options_.serverWaitMs)) || !endCopy(pg_, options_.serverWaitMs))
        giveUp();
    const Answer answer = awaitAnswer(pg_, options_.serverWaitMs);
    if (!answer.inTime)
        giveUp();
    const bool stored = PQresultStatus(answer.result) == PGRES_COMMAND_OK;
    const std::string said = stored ? std::string() : failure(answer.result);
    PQclear(answer.result);
    if (!stored)
        throw store::StoreError(said);
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
