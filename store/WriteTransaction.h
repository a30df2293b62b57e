#pragma once

namespace store {

class BookConnection;

// A scoped write on the book: begins in the constructor, stores on commit(), and rolls
// back in the destructor when commit() was not reached. Inside an open unit of work it
// joins the unit's transaction and leaves the outcome to the unit.
class WriteTransaction {
public:
    explicit WriteTransaction(BookConnection& connection);
    ~WriteTransaction();
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;

    void commit();

private:
    BookConnection& connection_;
    bool owner_ = false;
};

} // namespace store
