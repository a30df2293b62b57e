// The library that reads the old program's tables, loaded the first time one is read: a desk
// or a toolbox command that moves nothing in starts without it and the score of libraries it
// brings. Each function the old table calls is defined here, with the library's own
// declaration, and passes the call on.
#include "Isolated.h"
#include "LibraryOnDemand.h"
#include "StoreError.h"
#include "Wording.h"

extern "C" {
#include <paradox.h>
}

namespace {

[[noreturn]] void notLoaded(const std::string& why)
{
    throw store::StoreError(store::worded("OldTableLibrary", "لم تُحمَّل مكتبة قراءة جداول البرنامج القديم: %1. ثبّت الحزمة pxlib1")
                                .arg(store::isolatedLeftToRight(why)));
}

} // namespace

#define PASSED_ON(returned, name, parameters, arguments) \
    PASSED_ON_TO("libpx.so.0", notLoaded, returned, name, parameters, arguments)

extern "C" {
PASSED_ON(void, PX_boot, (void), ())
PASSED_ON(pxdoc_t*, PX_new3,
          (void (*errorhandler)(pxdoc_t* p, int type, const char* msg, void* data),
           void* (*allocproc)(pxdoc_t* p, size_t size, const char* caller),
           void* (*reallocproc)(pxdoc_t* p, void* mem, size_t size, const char* caller),
           void (*freeproc)(pxdoc_t* p, void* mem), void* errorhandler_user_data),
          (errorhandler, allocproc, reallocproc, freeproc, errorhandler_user_data))
PASSED_ON(int, PX_open_file, (pxdoc_t * pxdoc, const char* filename), (pxdoc, filename))
PASSED_ON(char*, PX_get_record, (pxdoc_t * pxdoc, int recno, char* data), (pxdoc, recno, data))
PASSED_ON(int, PX_get_data_long, (pxdoc_t * pxdoc, char* data, int len, long* value), (pxdoc, data, len, value))
PASSED_ON(void, PX_close, (pxdoc_t * pxdoc), (pxdoc))
PASSED_ON(void, PX_delete, (pxdoc_t * pxdoc), (pxdoc))
}
