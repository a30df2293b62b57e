// The server's client library, loaded the first time a book on a server is reached: a desk
// whose book is on the PC never loads it, nor the score of libraries it brings (Kerberos,
// LDAP, TLS), which would otherwise lengthen every start-up. Each function the server book
// calls is defined here, with libpq's own declaration, and passes the call on.
#include "Isolated.h"
#include "LibraryOnDemand.h"
#include "StoreError.h"
#include "Wording.h"

#include <libpq-fe.h>

namespace {

[[noreturn]] void notLoaded(const std::string& why)
{
    throw store::StoreError(store::worded("ServerClient", "لم تُحمَّل مكتبة الاتصال بخادم PostgreSQL: %1. ثبّت الحزمة libpq5")
                                .arg(store::isolatedLeftToRight(why)));
}

} // namespace

#define PASSED_ON(returned, name, parameters, arguments) \
    PASSED_ON_TO("libpq.so.5", notLoaded, returned, name, parameters, arguments)

extern "C" {
PASSED_ON(PGconn*, PQconnectdbParams, (const char* const* keywords, const char* const* values, int expand),
          (keywords, values, expand))
PASSED_ON(PQconninfoOption*, PQconninfoParse, (const char* conninfo, char** errmsg), (conninfo, errmsg))
PASSED_ON(void, PQconninfoFree, (PQconninfoOption * options), (options))
PASSED_ON(void, PQfinish, (PGconn * conn), (conn))
PASSED_ON(ConnStatusType, PQstatus, (const PGconn* conn), (conn))
PASSED_ON(PGTransactionStatusType, PQtransactionStatus, (const PGconn* conn), (conn))
PASSED_ON(char*, PQerrorMessage, (const PGconn* conn), (conn))
PASSED_ON(char*, PQuser, (const PGconn* conn), (conn))
PASSED_ON(int, PQsocket, (const PGconn* conn), (conn))
PASSED_ON(int, PQsetnonblocking, (PGconn * conn, int arg), (conn, arg))
PASSED_ON(int, PQflush, (PGconn * conn), (conn))
PASSED_ON(int, PQconsumeInput, (PGconn * conn), (conn))
PASSED_ON(int, PQisBusy, (PGconn * conn), (conn))
PASSED_ON(int, PQsendQuery, (PGconn * conn, const char* query), (conn, query))
PASSED_ON(int, PQsendQueryParams,
          (PGconn * conn, const char* command, int count, const Oid* types, const char* const* values, const int* lengths,
           const int* formats, int resultFormat),
          (conn, command, count, types, values, lengths, formats, resultFormat))
PASSED_ON(int, PQsendPrepare, (PGconn * conn, const char* name, const char* query, int count, const Oid* types),
          (conn, name, query, count, types))
PASSED_ON(int, PQsendQueryPrepared,
          (PGconn * conn, const char* name, int count, const char* const* values, const int* lengths, const int* formats,
           int resultFormat),
          (conn, name, count, values, lengths, formats, resultFormat))
PASSED_ON(int, PQputCopyData, (PGconn * conn, const char* buffer, int bytes), (conn, buffer, bytes))
PASSED_ON(int, PQputCopyEnd, (PGconn * conn, const char* errormsg), (conn, errormsg))
PASSED_ON(PGresult*, PQgetResult, (PGconn * conn), (conn))
PASSED_ON(ExecStatusType, PQresultStatus, (const PGresult* res), (res))
PASSED_ON(char*, PQresultErrorMessage, (const PGresult* res), (res))
PASSED_ON(char*, PQresultErrorField, (const PGresult* res, int code), (res, code))
PASSED_ON(int, PQntuples, (const PGresult* res), (res))
PASSED_ON(Oid, PQftype, (const PGresult* res, int field), (res, field))
PASSED_ON(char*, PQgetvalue, (const PGresult* res, int row, int field), (res, row, field))
PASSED_ON(int, PQgetlength, (const PGresult* res, int row, int field), (res, row, field))
PASSED_ON(int, PQgetisnull, (const PGresult* res, int row, int field), (res, row, field))
PASSED_ON(void, PQclear, (PGresult * res), (res))
PASSED_ON(void, PQfreemem, (void* ptr), (ptr))
}
