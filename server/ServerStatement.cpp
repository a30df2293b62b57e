#include "ServerStatement.h"

#include "ServerBookConnection.h"
#include "StoreError.h"

#include <libpq-fe.h>

#include <algorithm>
#include <cctype>
#include <charconv>

namespace server {
namespace {

// The server's type numbers of the columns a book reads.
constexpr Oid int2Oid = 21, int4Oid = 23, int8Oid = 20, textOid = 25, varcharOid = 1043, bpcharOid = 1042;

} // namespace

std::string serverDialect(const std::string& sql, int& parameters, std::vector<bool>& used)
{
    std::string out;
    out.reserve(sql.size());
    bool quoted = false;
    parameters = 0;
    for (std::size_t i = 0; i < sql.size(); ++i) {
        const char c = sql[i];
        if (c == '\'')
            quoted = !quoted;
        if (c == '?' && !quoted && i + 1 < sql.size() && std::isdigit(static_cast<unsigned char>(sql[i + 1]))) {
            std::size_t end = i + 1;
            while (end < sql.size() && std::isdigit(static_cast<unsigned char>(sql[end])))
                ++end;
            const int number = std::stoi(sql.substr(i + 1, end - i - 1));
            parameters = std::max(parameters, number);
            used.resize(std::size_t(parameters));
            used[std::size_t(number - 1)] = true;
            out += '$';
            out.append(sql, i + 1, end - i - 1);
            i = end - 1;
            continue;
        }
        out += c;
    }
    return out;
}

ServerStatement::ServerStatement(ServerBookConnection& connection, std::string name, const std::string& sql)
    : connection_(connection), name_(std::move(name))
{
    std::vector<bool> used;
    sql_ = serverDialect(sql, parameters_, used);
    values_.resize(std::size_t(parameters_));
    // A parameter the SQL leaves out (the range of a cursor that has none) still needs a
    // type on the server; the others take theirs from where they stand.
    types_.assign(std::size_t(parameters_), 0);
    for (std::size_t n = 0; n < types_.size(); ++n)
        if (n >= used.size() || !used[n])
            types_[n] = textOid;
}

ServerStatement::~ServerStatement()
{
    PQclear(result_);
}

void ServerStatement::bindNull(int position)
{
    values_.at(std::size_t(position - 1)).reset();
}

void ServerStatement::bind(int position, std::int64_t value)
{
    values_.at(std::size_t(position - 1)) = std::to_string(value);
}

void ServerStatement::bind(int position, std::string_view text)
{
    values_.at(std::size_t(position - 1)) = std::string(text);
}

void ServerStatement::run()
{
    connection_.ready();
    if (preparedIn_ != connection_.generation()) {
        PGresult* prepared = connection_.exchange(
            [this](PGconn* pg) { return PQsendPrepare(pg, name_.c_str(), sql_.c_str(), parameters_, types_.data()); });
        const bool ok = PQresultStatus(prepared) == PGRES_COMMAND_OK;
        if (!ok) {
            const std::string said = connection_.failure(prepared);
            PQclear(prepared);
            throw store::StoreError(said);
        }
        PQclear(prepared);
        preparedIn_ = connection_.generation();
    }
    std::vector<const char*> values;
    for (const auto& value : values_)
        values.push_back(value ? value->c_str() : nullptr);
    result_ = connection_.exchange([&](PGconn* pg) {
        return PQsendQueryPrepared(pg, name_.c_str(), parameters_, values.data(), nullptr, nullptr, 0);
    });
    const ExecStatusType status = PQresultStatus(result_);
    if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) {
        const std::string said = connection_.failure(result_);
        PQclear(result_);
        result_ = nullptr;
        throw store::StoreError(said);
    }
}

bool ServerStatement::step()
{
    if (!result_) {
        run();
        row_ = 0;
    } else {
        ++row_;
    }
    return row_ < PQntuples(result_);
}

void ServerStatement::reset()
{
    PQclear(result_);
    result_ = nullptr;
    row_ = -1;
    std::fill(values_.begin(), values_.end(), std::nullopt);
}

bool ServerStatement::isNull(int column) const
{
    return PQgetisnull(result_, row_, column) == 1;
}

bool ServerStatement::isInteger(int column) const
{
    const Oid type = PQftype(result_, column);
    return !isNull(column) && (type == int2Oid || type == int4Oid || type == int8Oid);
}

bool ServerStatement::isText(int column) const
{
    const Oid type = PQftype(result_, column);
    return !isNull(column) && (type == textOid || type == varcharOid || type == bpcharOid);
}

std::int64_t ServerStatement::integer(int column) const
{
    const char* value = PQgetvalue(result_, row_, column);
    std::int64_t number = 0;
    std::from_chars(value, value + PQgetlength(result_, row_, column), number);
    return number;
}

std::string ServerStatement::text(int column) const
{
    return std::string(PQgetvalue(result_, row_, column), std::size_t(PQgetlength(result_, row_, column)));
}

} // namespace server
