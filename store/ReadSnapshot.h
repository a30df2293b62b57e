#pragma once

namespace store {

class BookConnection;
class Cursor;

// The reads of one batch walk (a report) in one read transaction: they see the book as it
// stood when the walk began, even while another program posts, and take each file's read
// lock once instead of at every statement. Another program's write waits for the walk's
// end. Inside a transaction already open, it adds nothing.
class ReadSnapshot {
public:
    explicit ReadSnapshot(Cursor& anyCursorOfTheBook);
    explicit ReadSnapshot(BookConnection& book);
    ~ReadSnapshot();
    ReadSnapshot(const ReadSnapshot&) = delete;
    ReadSnapshot& operator=(const ReadSnapshot&) = delete;

private:
    BookConnection& book_;
    bool owner_ = false;
};

} // namespace store
