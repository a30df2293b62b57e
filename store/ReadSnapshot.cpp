#include "ReadSnapshot.h"

#include "BookConnection.h"
#include "Cursor.h"
#include "StoreError.h"

namespace store {

ReadSnapshot::ReadSnapshot(Cursor& anyCursorOfTheBook) : cursor_(anyCursorOfTheBook)
{
    BookConnection& connection = cursor_.connection();
    if (connection.inTransaction())
        return;
    connection.beginRead();
    owner_ = true;
}

ReadSnapshot::~ReadSnapshot()
{
    BookConnection& connection = cursor_.connection();
    if (!owner_)
        return;
    try {
        connection.commit();
    } catch (const StoreError&) {
        try {
            connection.rollback(); // nothing was written: only the read locks go
        } catch (const StoreError&) {
            // The engine gives the locks back when the connection next reads.
        }
    }
}

} // namespace store
