#pragma once

#include "ActionOnBook.h"
#include "Cursor.h"
#include "WriteTransaction.h"

#include <optional>
#include <vector>

namespace store {

class BookConnection;

// All the writes of one posting, across all five files: commit() stores every one of
// them, and leaving the scope without commit() stores none and puts every cursor back as
// it was when the unit began (state, record, pending change), in memory only.
class UnitOfWork {
public:
    // Takes the book's write lock (StoreError after the busy wait) and notes every cursor;
    // the book's history records the writes as the clerk action `action`.
    UnitOfWork(BookConnection& connection, std::vector<Cursor*> cursors, std::string_view action);
    ~UnitOfWork();
    UnitOfWork(const UnitOfWork&) = delete;
    UnitOfWork& operator=(const UnitOfWork&) = delete;

    void commit();

private:
    BookConnection& connection_;
    std::vector<Cursor*> cursors_;
    std::vector<CursorSnapshot> snapshots_;
    ActionOnBook action_;
    std::optional<WriteTransaction> transaction_;
    bool committed_ = false;
};

} // namespace store
