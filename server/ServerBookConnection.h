#pragma once

#include "BookConnection.h"
#include "ServerStatement.h"

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

struct pg_conn;
struct pg_result;

namespace server {

// The book in one PostgreSQL database that several desks share: the five tables, each in
// a schema named as the table's folder is named, and a change count per table that the
// server's triggers bump at every write, whoever writes. One connection per program;
// writers take the book's advisory lock for their transaction, so one writes at a time
// and readers never wait. A lost connection fails the action that met it, with nothing
// half-done, and the next action connects again.
class ServerBookConnection final : public store::BookConnection {
public:
    // `localRoot`: the user's own data root, beside which backups and archives go.
    // Throws StoreError naming the server when it cannot be reached, or while a restore
    // has the book alone.
    ServerBookConnection(std::string conninfo, std::filesystem::path localRoot, store::BookOptions options = {});
    ~ServerBookConnection() override;

    void openTable(const store::TableDef& table) override;
    bool isOpen(const store::TableDef& table) const override;
    std::string schemaOf(const store::TableDef& table) const override;
    store::BookStatement& statement(const std::string& sql) override;
    void beginWrite() override;
    void beginRead() override;
    bool inTransaction() const override;
    // A transaction whose connection was lost is reported, never taken as stored.
    void commit() override;
    void rollback() override;
    std::int64_t tableChanges(const store::TableDef& table) override;
    // The database user at this desk's computer.
    std::string who() const override;
    void quietHistory() override;
    std::string keepingKeyClause() const override { return "OVERRIDING SYSTEM VALUE"; }
    void historyCopied(const store::TableDef& table) override;
    std::string place() const override { return server_; }
    std::string whereIs(const store::TableDef& table) const override;
    int busyWaitsGivenUp() const override { return busyWaitsGivenUp_; }
    // The tables this desk's role may read but not change (a reader's).
    std::vector<std::string> unwritableParts() override;
    // With the change counts, in the program's own schema.
    std::string closedYearsTable() const override { return "\"ijazat\".\"closed_years\""; }
    bool holdsClosedYears() override;
    // The archive's five files, byte for byte, beside the record of the years closed.
    void keepArchive(int year, const std::filesystem::path& archive) override;
    bool copyArchiveInto(int year, const std::filesystem::path& aside) override;
    // Read on a connection of its own, in one snapshot of the five tables.
    void copyInto(const std::filesystem::path& aside) override;
    // Every desk holds the book shared while connected; a restore has it alone, and is
    // refused, saying so, while another desk is connected.
    void claimAlone() override;
    // A new identity for the book: a desk that knew the old one is refused before it writes.
    void bookReplaced() override;
    std::string insertKeepingKeySql(const store::TableDef& table) const override;
    // Through COPY, the server's bulk path: a restore takes about as long as the backup.
    void insertRows(store::BookStatement& read, const std::string& target, const std::vector<std::string>& columns) override;
    std::int64_t keysGiven(const store::TableDef& table) override;
    void giveKeysAbove(const store::TableDef& table, std::int64_t highest) override;

    // The live connection, made anew first if it was lost between actions.
    pg_conn* ready();
    // Sends one request with `send` and waits for its answer as long as the book's options
    // say; a silent server gives the connection up and throws StoreError saying so. The
    // caller clears the result.
    pg_result* exchange(const std::function<int(pg_conn*)>& send);
    // Counts the connections made, so statements know to prepare themselves again.
    int generation() const { return generation_; }
    std::string failure(const pg_result* result) const;

private:
    enum class Outcome { Stored, NotStored, Unknown };
    enum class Claim { Desk, Helper }; // a helper connection of the desk's own claims nothing

    ServerBookConnection(std::string conninfo, std::filesystem::path localRoot, store::BookOptions options, Claim claim);

    void connect();
    // Holds the book shared for as long as the connection lives, and learns its identity.
    void holdBookShared();
    // Runs SQL of the connection's own, with its values as text; StoreError on any failure.
    pg_result* run(const std::string& sql, const std::vector<std::string>& parameters);
    // What became of a transaction whose COMMIT got no answer, asked on a new connection.
    Outcome outcomeOf(const std::string& transaction);

    std::string conninfo_;
    std::string server_; // as the clerk is told it
    int busyWaitsGivenUp_ = 0;
    store::BookOptions options_;
    pg_conn* pg_ = nullptr;
    int generation_ = 0;
    bool transactionBegun_ = false; // a lost connection then fails the action, never reconnects in its middle
    std::string transactionId_;     // of the write begun, as the server numbers it
    std::string identity_;          // of the book this desk opened
    Claim claim_ = Claim::Desk;
    std::string lastState_;         // the SQLSTATE of the last failure of run()
    std::set<std::string> open_;
    std::map<std::string, std::unique_ptr<ServerStatement>> statements_;
};

// The schema a table of the book lives in on a server: named as its folder is named.
std::string serverSchemaOf(const store::TableDef& table);

} // namespace server
