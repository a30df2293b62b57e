#include "EngineFailure.h"

#include "Isolated.h"

#include <sqlite3.h>

namespace store {

std::string engineFailure(int engineCode, const std::string& file, const std::string& engineText)
{
    const std::string where = isolatedLeftToRight(file);
    std::string said;
    switch (engineCode & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        said = "الملف " + where + " مقفل: برنامج آخر يعمل فيه الآن، ولم يُحفظ شيء. أعد المحاولة بعد قليل";
        break;
    case SQLITE_READONLY:
        said = "الملف " + where + " للقراءة فقط: لا يمكن الكتابة فيه، ولم يُحفظ شيء";
        break;
    case SQLITE_FULL:
        said = "القرص ممتلئ: لا مكان للكتابة في الملف " + where + "، ولم يُحفظ شيء";
        break;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        said = "الملف " + where + " تالف أو ليس من ملفات دفتر الإجازات";
        break;
    case SQLITE_CANTOPEN:
        said = "تعذّر فتح الملف " + where;
        break;
    case SQLITE_PERM:
    case SQLITE_AUTH:
        said = "لا إذن بالوصول إلى الملف " + where;
        break;
    case SQLITE_IOERR:
        said = "تعذّرت القراءة من الملف " + where + " أو الكتابة فيه";
        break;
    default:
        said = "أخفق محرك الجداول في الملف " + where;
        break;
    }
    return said + " (" + isolatedLeftToRight(engineText) + ")";
}

} // namespace store
