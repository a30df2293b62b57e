#include "WriteTransaction.h"

#include "BookConnection.h"
#include "StoreError.h"
#include "Wording.h"

namespace store {

WriteTransaction::WriteTransaction(BookConnection& connection) : connection_(connection)
{
    if (connection_.inUnitOfWork()) {
        // After an I/O error the engine may have rolled the unit back by itself; a later
        // write must not then be stored on its own.
        if (!connection_.inTransaction())
            throw StoreError(worded("UnitOfWork", "تخلّى محرك الجداول عن العملية بعد خطأ سابق، ولم يُحفظ منها شيء"));
        return;
    }
    connection_.beginWrite();
    owner_ = true;
}

WriteTransaction::~WriteTransaction()
{
    // The engine may already have rolled back by itself after an I/O error, or the server's
    // connection be gone: rollback() is then only the end of what was begun.
    if (owner_) {
        try {
            connection_.rollback();
        } catch (...) {
            // A failed rollback leaves the journal behind; the engine rolls it back when the
            // file is next opened, so nothing half-written is ever read.
        }
    }
}

void WriteTransaction::commit()
{
    if (!owner_)
        return;
    connection_.commit();
    owner_ = false;
}

} // namespace store
