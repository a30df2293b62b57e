#include "EngineFailure.h"

#include "Isolated.h"

#include <sqlite3.h>

#include <cerrno>

#include <filesystem>

namespace store {

std::string engineFailure(int engineCode, const std::string& file, const std::string& engineText)
{
    // A failure over several files at once (a unit of work's begin or end) names the book.
    std::error_code ignored;
    const std::string what = (std::filesystem::is_directory(file, ignored) ? "الدفتر في " : "الملف ")
                             + isolatedLeftToRight(file);
    std::string said;
    switch (engineCode & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        // The other program may be writing or only reading: all that is known is that it holds the file.
        said = what + " مقفل: يستعمله برنامج آخر الآن، ولم يُحفظ شيء. أعد المحاولة بعد قليل";
        break;
    case SQLITE_READONLY:
        said = what + " للقراءة فقط: لا تمكن الكتابة فيه، ولم يُحفظ شيء";
        break;
    case SQLITE_FULL:
        said = "القرص ممتلئ: لا مكان للكتابة في " + what + "، ولم يُحفظ شيء";
        break;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        said = what + " تالف أو ليس من ملفات دفتر الإجازات";
        break;
    case SQLITE_CANTOPEN:
        said = "تعذّر فتح " + what;
        break;
    case SQLITE_PERM:
    case SQLITE_AUTH:
        said = "لا إذن بالوصول إلى " + what;
        break;
    case SQLITE_IOERR:
        said = "تعذّرت القراءة من " + what + " أو الكتابة فيه";
        break;
    default:
        said = "أخفق محرك الجداول في " + what;
        break;
    }
    return said + "\n(" + isolatedLeftToRight(engineText) + ")";
}

std::string fileFailure(const std::filesystem::filesystem_error& failure)
{
    std::string files = isolatedLeftToRight(failure.path1().string());
    if (!failure.path2().empty())
        files += " و" + isolatedLeftToRight(failure.path2().string());
    std::string said;
    switch (failure.code().value()) {
    case ENOSPC:
    case EDQUOT:
        said = "القرص ممتلئ: لا مكان للكتابة في " + files;
        break;
    case EFBIG:
        said = "الملف أكبر مما يسمح به النظام: " + files;
        break;
    case EACCES:
    case EPERM:
        said = "لا إذن بالوصول إلى " + files;
        break;
    case EROFS:
        said = "القرص للقراءة فقط: لا تمكن الكتابة في " + files;
        break;
    case ENOENT:
        said = "لا يوجد " + files;
        break;
    case ENOTDIR:
        said = "في الطريق ملف حيث يلزم مجلد: " + files;
        break;
    case EEXIST:
    case ENOTEMPTY:
        said = "يوجد من قبل ما يحمل الاسم " + files;
        break;
    case EBUSY:
        said = "مشغول لا يمكن نقله أو حذفه: " + files;
        break;
    case EXDEV:
        said = "لا يُنقل بين قرصين دفعة واحدة: " + files;
        break;
    default:
        said = "تعذّر العمل في " + files;
        break;
    }
    return said + "\n(" + isolatedLeftToRight(failure.code().message()) + ")";
}

} // namespace store
