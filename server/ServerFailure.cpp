#include "ServerFailure.h"

#include "Isolated.h"

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
    const std::string where = "خادم الدفتر " + isolatedLeftToRight(server);
    const char* state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    const std::string code = state ? state : "";
    std::string engineText = result ? PQresultErrorMessage(result) : "";
    if (engineText.empty() && connection)
        engineText = PQerrorMessage(connection);
    while (!engineText.empty() && (engineText.back() == '\n' || engineText.back() == ' '))
        engineText.pop_back();
    std::string said;
    if (!connection || PQstatus(connection) == CONNECTION_BAD || code.rfind("08", 0) == 0 || code == "57P01")
        said = "انقطع الاتصال ب" + where + " أو تعذّر، ولم يُحفظ شيء. يُعاد الاتصال عند العملية التالية";
    else if (code == "55P03" || code == "40P01" || code == "40001")
        said = "الدفتر على " + where + " مقفل: مكتب آخر يكتب فيه الآن، ولم يُحفظ شيء. أعد المحاولة بعد قليل";
    else if (code == "25006" || code == "42501")
        said = "لا تمكن الكتابة في الدفتر على " + where + " (للقراءة فقط أو بلا إذن)، ولم يُحفظ شيء";
    else if (code == "53100")
        said = "قرص " + where + " ممتلئ، ولم يُحفظ شيء";
    else
        said = "أخفق " + where + "، ولم يُحفظ شيء";
    return said + "\n(" + isolatedLeftToRight(engineText) + ")";
}

} // namespace server
