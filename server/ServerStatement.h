#pragma once

#include "BookStatement.h"

#include <optional>
#include <string>
#include <vector>

struct pg_result;

namespace server {

class ServerBookConnection;

// One prepared statement on the server. The SQL is the store's own, with ?1, ?2, …
// turned into the server's $1, $2, …; values go as text beside the statement, never into
// it. It is prepared again after the connection was made anew.
class ServerStatement final : public store::BookStatement {
public:
    ServerStatement(ServerBookConnection& connection, std::string name, const std::string& sql);
    ~ServerStatement() override;
    ServerStatement(const ServerStatement&) = delete;
    ServerStatement& operator=(const ServerStatement&) = delete;

    void bindNull(int position) override;
    void bind(int position, std::int64_t value) override;
    void bind(int position, std::string_view text) override;
    bool step() override;
    void reset() override;
    bool isNull(int column) const override;
    bool isInteger(int column) const override;
    bool isText(int column) const override;
    std::int64_t integer(int column) const override;
    std::string text(int column) const override;

private:
    void run();

    ServerBookConnection& connection_;
    std::string name_;
    std::string sql_;
    int parameters_ = 0;
    int preparedIn_ = -1; // the connection's generation it was prepared in
    std::vector<unsigned> types_; // the server's type of each parameter, 0 where it is inferred
    std::vector<std::optional<std::string>> values_;
    pg_result* result_ = nullptr;
    int row_ = -1;
};

// The store's SQL in the server's dialect: ?N becomes $N (never inside a quoted text);
// `parameters` is the highest N and `used` tells which appear.
std::string serverDialect(const std::string& sql, int& parameters, std::vector<bool>& used);

} // namespace server
