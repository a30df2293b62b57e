#include "ServerBook.h"

#include "ServerBookConnection.h"
#include "Isolated.h"
#include "ServerRoles.h"
#include "ServerSchema.h"
#include "StoreError.h"
#include "Wording.h"

#include <libpq-fe.h>

#include <memory>

namespace server {

namespace {

void refusePassword(const std::string& conninfo)
{
    char* error = nullptr;
    std::unique_ptr<PQconninfoOption, decltype(&PQconninfoFree)> options(PQconninfoParse(conninfo.c_str(), &error),
                                                                          &PQconninfoFree);
    PQfreemem(error);
    for (const PQconninfoOption* option = options.get(); option && option->keyword; ++option)
        if (std::string_view(option->keyword) == "password" && option->val && *option->val)
            throw store::StoreError(store::worded("ServerBook", "لا تُكتب كلمة السر في عنوان خادم الدفتر %1: يحفظه البرنامج في "
                                                                "إعداداته نصاً مقروءاً. ضعها في %2 (أو في ملف خدمة) واحذفها من العنوان")
                                        .arg(store::isolatedLeftToRight(describeServer(conninfo)))
                                        .arg(store::isolatedLeftToRight("~/.pgpass")));
}

} // namespace

std::unique_ptr<store::BookConnection> openServerBook(const std::string& conninfo, const std::filesystem::path& localRoot,
                                                      store::BookOptions options)
{
    refusePassword(conninfo);
    return std::make_unique<ServerBookConnection>(conninfo, localRoot, std::move(options));
}

ServerSetupReport setUpServerBook(const std::string& conninfo, const std::filesystem::path& localRoot,
                                  const std::vector<RoleGrant>& grants)
{
    refusePassword(conninfo);
    ServerBookConnection connection(conninfo, localRoot);
    ServerSetupReport report = createMissingServerTables(connection);
    if (report.problems.empty())
        for (const RoleGrant& grant : grants)
            grantDeskRole(connection, grant.kind, grant.role);
    return report;
}

} // namespace server
