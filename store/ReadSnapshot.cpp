#include "ReadSnapshot.h"

#include "BookConnection.h"
#include "Cursor.h"
#include "StoreError.h"

namespace store {

ReadSnapshot::ReadSnapshot(Cursor& anyCursorOfTheBook) : ReadSnapshot(anyCursorOfTheBook.connection())
{
}

ReadSnapshot::ReadSnapshot(BookConnection& book) : book_(book)
{
    if (book_.inTransaction())
        return;
    book_.beginRead();
    owner_ = true;
}

ReadSnapshot::~ReadSnapshot()
{
    BookConnection& connection = book_;
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
