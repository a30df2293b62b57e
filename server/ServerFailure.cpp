#include "ServerFailure.h"

#include "Isolated.h"
#include "ServerBook.h"
#include "Wording.h"

#include <libpq-fe.h>

#include <memory>

namespace server {

using store::isolatedLeftToRight;

std::string describeServer(const std::string& conninfo)
{
    char* error = nullptr;
    std::unique_ptr<PQconninfoOption, decltype(&PQconninfoFree)> options(PQconninfoParse(conninfo.c_str(), &error),
                                                                          &PQconninfoFree);
    PQfreemem(error);
    if (!options)
        return "?";
    std::string host, port, database, service;
    for (const PQconninfoOption* option = options.get(); option->keyword; ++option) {
        const std::string keyword = option->keyword;
        const std::string value = option->val ? option->val : "";
        if (keyword == "host" || (keyword == "hostaddr" && host.empty()))
            host = value;
        else if (keyword == "port")
            port = value;
        else if (keyword == "dbname")
            database = value;
        else if (keyword == "service")
            service = value;
    }
    if (!service.empty() && host.empty())
        return "service=" + service;
    return (host.empty() ? std::string("localhost") : host) + (port.empty() ? "" : ":" + port)
           + (database.empty() ? "" : "/" + database);
}

std::string serverFailure(const std::string& server, pg_conn* connection, const pg_result* result)
{
    const std::string where = store::worded("ServerFailure", "خادم الدفتر %1").arg(isolatedLeftToRight(server));
    const char* state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    const std::string code = state ? state : "";
    std::string engineText = result ? PQresultErrorMessage(result) : "";
    if (engineText.empty() && connection)
        engineText = PQerrorMessage(connection);
    while (!engineText.empty() && (engineText.back() == '\n' || engineText.back() == ' '))
        engineText.pop_back();
    const auto said = [&] {
        if (!connection || PQstatus(connection) == CONNECTION_BAD || code.rfind("08", 0) == 0 || code == "57P01")
            return store::worded("ServerFailure", "انقطع الاتصال ب%1 أو تعذّر، ولم يُحفظ شيء. يُعاد الاتصال عند العملية التالية");
        if (code == "55P03" || code == "40P01" || code == "40001")
            return store::worded("ServerFailure",
                                 "الدفتر على %1 مقفل: مكتب آخر يكتب فيه الآن، ولم يُحفظ شيء. أعد المحاولة بعد قليل");
        if (code == "25006" || code == "42501")
            return store::worded("ServerFailure", "لا تمكن الكتابة في الدفتر على %1 (للقراءة فقط أو بلا إذن)، ولم يُحفظ شيء");
        if (code == "53100")
            return store::worded("ServerFailure", "قرص %1 ممتلئ، ولم يُحفظ شيء");
        return store::worded("ServerFailure", "أخفق %1، ولم يُحفظ شيء");
    };
    return said().arg(where).text() + "\n(" + isolatedLeftToRight(engineText) + ")";
}

} // namespace server
