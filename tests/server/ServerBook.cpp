#include "ServerBook.h"

#include "ServerBookConnection.h"
#include "ServerSchema.h"
#include "StoreError.h"

#include <libpq-fe.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

namespace testing_support {
namespace {

void run(const std::string& conninfo, const std::string& sql)
{
    PGconn* pg = PQconnectdb(conninfo.c_str());
    PGresult* result = PQexec(pg, sql.c_str());
    const bool ok = PQresultStatus(result) == PGRES_COMMAND_OK || PQresultStatus(result) == PGRES_TUPLES_OK;
    const std::string error = ok ? std::string() : PQerrorMessage(pg);
    PQclear(result);
    PQfinish(pg);
    if (!ok)
        throw std::runtime_error(sql + ": " + error);
}

} // namespace

std::string ServerBook::clusterConninfo()
{
    const char* folder = std::getenv("IJAZAT_TEST_CLUSTER");
    if (!folder)
        throw std::runtime_error("IJAZAT_TEST_CLUSTER is not set: the tests' cluster was not started");
    std::ifstream in(std::string(folder) + "/conninfo");
    std::string conninfo;
    std::getline(in, conninfo);
    if (conninfo.empty())
        throw std::runtime_error(std::string("no cluster is running in ") + folder);
    return conninfo;
}

ServerBook::ServerBook()
{
    static std::atomic<int> made{0};
    database_ = "book_" + std::to_string(getpid()) + "_" + std::to_string(made++);
    const std::string cluster = clusterConninfo();
    run(cluster, "CREATE DATABASE " + database_);
    conninfo_ = cluster.substr(0, cluster.rfind("dbname=")) + "dbname=" + database_;
    server::ServerBookConnection setup(conninfo_, std::filesystem::temp_directory_path());
    const server::ServerSetupReport report = server::createMissingServerTables(setup);
    if (!report.problems.empty())
        throw std::runtime_error(report.problems.front());
}

ServerBook::~ServerBook()
{
    try {
        run(clusterConninfo(), "DROP DATABASE " + database_ + " WITH (FORCE)");
    } catch (const std::exception& error) {
        ADD_FAILURE() << error.what();
    }
}

std::unique_ptr<store::TDataModule1> ServerBook::open(store::BookOptions options) const
{
    return std::make_unique<store::TDataModule1>(std::make_unique<server::ServerBookConnection>(
        conninfo_, std::filesystem::temp_directory_path(), std::move(options)));
}

void ServerBook::administer(const std::string& sql) const
{
    run(conninfo_, sql);
}

} // namespace testing_support
