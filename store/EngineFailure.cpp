#include "EngineFailure.h"

#include "Isolated.h"
#include "SystemError.h"
#include "Wording.h"

#include <sqlite3.h>

#include <cerrno>
#include <cstring>

#include <filesystem>

namespace store {
namespace {

Wording engineReason(int engineCode)
{
    switch (engineCode & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        // The other program may be writing or only reading: all that is known is that it holds the file.
        return worded("EngineFailure", "%1 مقفل: يستعمله برنامج آخر الآن، ولم يُحفظ شيء. أعد المحاولة بعد قليل");
    case SQLITE_READONLY:
        return worded("EngineFailure", "%1 للقراءة فقط: لا تمكن الكتابة فيه، ولم يُحفظ شيء");
    case SQLITE_FULL:
        return worded("EngineFailure", "القرص ممتلئ: لا مكان للكتابة في %1، ولم يُحفظ شيء");
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return worded("EngineFailure", "%1 تالف أو ليس من ملفات دفتر الإجازات");
    case SQLITE_CANTOPEN:
        return worded("EngineFailure", "تعذّر فتح %1");
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return worded("EngineFailure", "لا إذن بالوصول إلى %1");
    case SQLITE_IOERR:
        return worded("EngineFailure", "تعذّرت القراءة من %1 أو الكتابة فيه");
    default:
        return worded("EngineFailure", "أخفق محرك الجداول في %1");
    }
}

// The standard error number a system's error stands for, or 0 when none does.
int standardReason(const std::error_code& failure)
{
    const std::error_condition reason = failure.default_error_condition();
    return reason.category() == std::generic_category() ? reason.value() : 0;
}

// No room left for what was written: the disk, the user's quota, or the largest file allowed.
bool outOfRoom(int errorNumber)
{
    switch (errorNumber) {
    case ENOSPC:
    case EFBIG:
#ifdef EDQUOT // not every system has quotas
    case EDQUOT:
#endif
        return true;
    default:
        return false;
    }
}

Wording systemReason(int errorNumber)
{
    switch (errorNumber) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return worded("EngineFailure", "القرص ممتلئ: لا مكان للكتابة في %1");
    case EFBIG:
        return worded("EngineFailure", "الملف أكبر مما يسمح به النظام: %1");
    case EACCES:
    case EPERM:
        return worded("EngineFailure", "لا إذن بالوصول إلى %1");
    case EROFS:
        return worded("EngineFailure", "القرص للقراءة فقط: لا تمكن الكتابة في %1");
    case ENOENT:
        return worded("EngineFailure", "لا يوجد %1");
    case ENOTDIR:
        return worded("EngineFailure", "في الطريق ملف حيث يلزم مجلد: %1");
    case EEXIST:
    case ENOTEMPTY:
        return worded("EngineFailure", "يوجد من قبل ما يحمل الاسم %1");
    case EBUSY:
        return worded("EngineFailure", "مشغول لا يمكن نقله أو حذفه: %1");
    case EXDEV:
        return worded("EngineFailure", "لا يُنقل بين قرصين دفعة واحدة: %1");
    default:
        return worded("EngineFailure", "تعذّر العمل في %1");
    }
}

} // namespace

std::string engineFailure(int engineCode, const std::string& file, const std::string& engineText, int systemError)
{
    // The engine keeps the system's last error, which may be an earlier, harmless one (a journal
    // looked for and not there): only an error that can explain this failure is told.
    const int primary = engineCode & 0xff;
    const std::error_code system = platform::systemError(systemError);
    const int reason = standardReason(system);
    if ((outOfRoom(reason) && (primary == SQLITE_IOERR || primary == SQLITE_FULL)) || (systemError != 0 && primary == SQLITE_CANTOPEN))
        return systemFailure(system, isolatedLeftToRight(file));
    // A failure over several files at once (a unit of work's begin or end) names the book.
    std::error_code ignored;
    const std::string what = (std::filesystem::is_directory(file, ignored) ? worded("EngineFailure", "الدفتر في %1")
                                                                            : worded("EngineFailure", "الملف %1"))
                                  .arg(isolatedLeftToRight(file));
    return engineReason(engineCode).arg(what).text() + "\n(" + isolatedLeftToRight(engineText) + ")";
}

std::string engineOpenFailure(sqlite3* db, int rc, const std::string& file)
{
    return db ? engineFailure(sqlite3_extended_errcode(db), file, sqlite3_errmsg(db), sqlite3_system_errno(db))
              : engineFailure(rc, file, sqlite3_errstr(rc));
}

std::string systemFailure(int errorNumber, const std::string& files)
{
    return systemFailure(std::error_code(errorNumber, std::generic_category()), files);
}

std::string systemFailure(const std::error_code& failure, const std::string& files)
{
    return systemReason(standardReason(failure)).arg(files).text() + "\n(" + isolatedLeftToRight(failure.message()) + ")";
}

std::string fileFailure(const std::filesystem::filesystem_error& failure)
{
    std::string files = isolatedLeftToRight(failure.path1().string());
    if (!failure.path2().empty())
        files = worded("EngineFailure", "%1 و%2").arg(files).arg(isolatedLeftToRight(failure.path2().string()));
    return systemFailure(failure.code(), files);
}

} // namespace store
