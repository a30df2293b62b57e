#include "FaultVfs.h"

#include <sqlite3.h>

#include <unistd.h>

namespace testing_support {
namespace {

struct Plan {
    int operations = 0;
    int failAt = 0;
    int failWith = 0;
    int killAt = 0;
    bool readOnly = false;
};
Plan plan;

struct FaultFile {
    sqlite3_file base;
    sqlite3_file* real;
};

sqlite3_vfs* realVfs = nullptr;
sqlite3_vfs faultVfs;
sqlite3_io_methods faultMethods;

sqlite3_file* real(sqlite3_file* file)
{
    return reinterpret_cast<FaultFile*>(file)->real;
}

// True when this durable operation is the one chosen to fail.
bool injectFailure()
{
    ++plan.operations;
    if (plan.killAt && plan.operations == plan.killAt)
        _exit(86);
    return plan.failAt && plan.operations == plan.failAt;
}

int faultClose(sqlite3_file* file)
{
    return real(file)->pMethods->xClose(real(file));
}
int faultRead(sqlite3_file* file, void* buffer, int amount, sqlite3_int64 offset)
{
    return real(file)->pMethods->xRead(real(file), buffer, amount, offset);
}
int faultWrite(sqlite3_file* file, const void* buffer, int amount, sqlite3_int64 offset)
{
    if (injectFailure())
        return plan.failWith ? plan.failWith : SQLITE_IOERR_WRITE;
    return real(file)->pMethods->xWrite(real(file), buffer, amount, offset);
}
int faultTruncate(sqlite3_file* file, sqlite3_int64 size)
{
    if (injectFailure())
        return plan.failWith ? plan.failWith : SQLITE_IOERR_TRUNCATE;
    return real(file)->pMethods->xTruncate(real(file), size);
}
int faultSync(sqlite3_file* file, int flags)
{
    if (injectFailure())
        return plan.failWith ? plan.failWith : SQLITE_IOERR_FSYNC;
    return real(file)->pMethods->xSync(real(file), flags);
}
int faultFileSize(sqlite3_file* file, sqlite3_int64* size)
{
    return real(file)->pMethods->xFileSize(real(file), size);
}
int faultLock(sqlite3_file* file, int level)
{
    return real(file)->pMethods->xLock(real(file), level);
}
int faultUnlock(sqlite3_file* file, int level)
{
    return real(file)->pMethods->xUnlock(real(file), level);
}
int faultCheckReservedLock(sqlite3_file* file, int* out)
{
    return real(file)->pMethods->xCheckReservedLock(real(file), out);
}
int faultFileControl(sqlite3_file* file, int op, void* arg)
{
    return real(file)->pMethods->xFileControl(real(file), op, arg);
}
int faultSectorSize(sqlite3_file* file)
{
    return real(file)->pMethods->xSectorSize(real(file));
}
int faultDeviceCharacteristics(sqlite3_file* file)
{
    return real(file)->pMethods->xDeviceCharacteristics(real(file));
}

int faultOpen(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags)
{
    auto* fault = reinterpret_cast<FaultFile*>(file);
    fault->real = reinterpret_cast<sqlite3_file*>(fault + 1);
    if (plan.readOnly && (flags & SQLITE_OPEN_MAIN_DB))
        flags = (flags & ~(SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)) | SQLITE_OPEN_READONLY;
    const int rc = realVfs->xOpen(realVfs, name, fault->real, flags, outFlags);
    fault->base.pMethods = fault->real->pMethods ? &faultMethods : nullptr;
    return rc;
}
int faultDelete(sqlite3_vfs*, const char* name, int syncDir)
{
    if (injectFailure())
        return plan.failWith ? plan.failWith : SQLITE_IOERR_DELETE;
    return realVfs->xDelete(realVfs, name, syncDir);
}
int faultAccess(sqlite3_vfs*, const char* name, int flags, int* out)
{
    return realVfs->xAccess(realVfs, name, flags, out);
}
int faultFullPathname(sqlite3_vfs*, const char* name, int size, char* out)
{
    return realVfs->xFullPathname(realVfs, name, size, out);
}
int faultRandomness(sqlite3_vfs*, int size, char* out)
{
    return realVfs->xRandomness(realVfs, size, out);
}
int faultSleep(sqlite3_vfs*, int microseconds)
{
    return realVfs->xSleep(realVfs, microseconds);
}
int faultCurrentTime(sqlite3_vfs*, double* out)
{
    return realVfs->xCurrentTime(realVfs, out);
}
int faultGetLastError(sqlite3_vfs*, int size, char* out)
{
    return realVfs->xGetLastError(realVfs, size, out);
}

} // namespace

void FaultVfs::install()
{
    if (realVfs)
        return;
    realVfs = sqlite3_vfs_find(nullptr);
    faultMethods = sqlite3_io_methods{};
    faultMethods.iVersion = 1; // no shared memory or memory mapping: the book keeps a rollback journal
    faultMethods.xClose = faultClose;
    faultMethods.xRead = faultRead;
    faultMethods.xWrite = faultWrite;
    faultMethods.xTruncate = faultTruncate;
    faultMethods.xSync = faultSync;
    faultMethods.xFileSize = faultFileSize;
    faultMethods.xLock = faultLock;
    faultMethods.xUnlock = faultUnlock;
    faultMethods.xCheckReservedLock = faultCheckReservedLock;
    faultMethods.xFileControl = faultFileControl;
    faultMethods.xSectorSize = faultSectorSize;
    faultMethods.xDeviceCharacteristics = faultDeviceCharacteristics;

    faultVfs = sqlite3_vfs{};
    faultVfs.iVersion = 1;
    faultVfs.szOsFile = int(sizeof(FaultFile)) + realVfs->szOsFile;
    faultVfs.mxPathname = realVfs->mxPathname;
    faultVfs.zName = name;
    faultVfs.xOpen = faultOpen;
    faultVfs.xDelete = faultDelete;
    faultVfs.xAccess = faultAccess;
    faultVfs.xFullPathname = faultFullPathname;
    faultVfs.xRandomness = faultRandomness;
    faultVfs.xSleep = faultSleep;
    faultVfs.xCurrentTime = faultCurrentTime;
    faultVfs.xGetLastError = faultGetLastError;
    sqlite3_vfs_register(&faultVfs, 0);
}

void FaultVfs::reset()
{
    plan = Plan{};
}

void FaultVfs::failAt(int n, int code)
{
    plan = Plan{};
    plan.failAt = n;
    plan.failWith = code;
}

void FaultVfs::openReadOnly(bool readOnly)
{
    plan.readOnly = readOnly;
}

void FaultVfs::killAt(int n)
{
    plan = Plan{};
    plan.killAt = n;
}

int FaultVfs::operations()
{
    return plan.operations;
}

} // namespace testing_support
